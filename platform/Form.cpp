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
    // QDialog would reject on its own for Esc with any modifier (QKeySequence::Cancel).
    if (event->key() == Qt::Key_Escape || event->matches(QKeySequence::Cancel)) {
        event->accept();
        if (escapeCancels_ && event->modifiers() == Qt::NoModifier)
            cancelByKeyboard();
        return;
    }
    QDialog::keyPressEvent(event);
}
