#include "platform/Button.h"

#include <QKeyEvent>

Button::Button(const QString& caption, QWidget* parent)
    : QPushButton(caption, parent)
{
    setAutoDefault(false);
    setDefault(false);
}

void Button::keyPressEvent(QKeyEvent* event)
{
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}
