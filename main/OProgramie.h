#pragma once
// The about box: who makes the program and how to reach them.
#include "platform/Form.h"

class Button;
class Image;

class TFOProgramie : public Form {
    Q_OBJECT

public:
    explicit TFOProgramie(QWidget* owner = nullptr);

    ::Image* Image1 = nullptr;
    Button* ZamknijButton = nullptr;

    void ZamknijButtonClick();
};

extern TFOProgramie* FOProgramie;
