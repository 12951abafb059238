#include "tests/support/Typing.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWidget>

void TypeKey(QWidget* target, int key, const QString& text, Qt::KeyboardModifiers modifiers)
{
    QKeyEvent press(QEvent::KeyPress, key, modifiers, text);
    QCoreApplication::sendEvent(target, &press);
    QKeyEvent release(QEvent::KeyRelease, key, modifiers, text);
    QCoreApplication::sendEvent(target, &release);
}

void TypeText(QWidget* target, const QString& text)
{
    for (QChar c : text)
        TypeKey(target, c.isLetter() ? c.toUpper().unicode() : c.unicode(), QString(c));
}

void PasteText(QWidget* target, const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
    TypeKey(target, Qt::Key_V, QString(), Qt::ControlModifier);
}
