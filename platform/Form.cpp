#include "platform/Form.h"

#include <QKeyEvent>

Form::Form(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
}

void Form::cancelByKeyboard()
{
    reject();
}

void Form::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        event->accept();
        cancelByKeyboard();
        return;
    }
    QDialog::keyPressEvent(event);
}
