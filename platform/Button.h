#pragma once
// A push button that Enter never presses: neither default nor auto-default, whatever
// window it stands in (Qt makes buttons in dialogs auto-default).

#include <QPushButton>

class Button : public QPushButton {
    Q_OBJECT
public:
    explicit Button(const QString& caption = QString(), QWidget* parent = nullptr);
};
