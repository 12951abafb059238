#pragma once
// A push button that Enter presses only while it has the focus, as on any desktop: it is
// never a dialog's default button, so Enter typed in a field presses nothing (Qt makes
// buttons in dialogs auto-default, which would let Enter in any field press "OK").

#include <QPushButton>

class Button : public QPushButton {
    Q_OBJECT
public:
    explicit Button(const QString& caption = QString(), QWidget* parent = nullptr);

protected:
    void keyPressEvent(QKeyEvent* event) override;
};
