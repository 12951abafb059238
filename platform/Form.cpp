#include "platform/Form.h"

#include <QKeyEvent>

Form::Form(QWidget* parent, Qt::WindowFlags flags)
    : QDialog(parent, flags)
{
}

void Form::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape) {
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}
