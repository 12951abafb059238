#pragma once
// The waiting window shown while one student's fields are written: a picture and a
// progress bar that the writing data function steps itself (the GUI thread stays busy,
// so every step is painted at once). Showing it returns once it is on screen.
#include "platform/Form.h"
#include "store/Progress.h"

class Image;
class ProgressBar;

class TFWait : public Form, public ProgressSink {
    Q_OBJECT

public:
    explicit TFWait(QWidget* owner = nullptr);

    ::Image* Image1 = nullptr;
    ::ProgressBar* ProgressBar = nullptr;

    // ProgressSink: a new range at position 0; one step.
    void Begin(const std::string& info, int steps) override;
    void Advance() override;

    void setVisible(bool visible) override;

protected:
    void cancelByKeyboard() override;

private:
    // Waits for the window system to expose the window, then paints it.
    void paintNow();
};

extern TFWait* FWait;
