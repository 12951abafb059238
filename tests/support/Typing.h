#pragma once
// A person's typing and pasting, sent as key events through the application, so that
// widgets see them as input (and apply their input rules), not as text set from code.
#include <QString>
#include <Qt>

class QWidget;

void TypeKey(QWidget* target, int key, const QString& text = QString(),
             Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void TypeText(QWidget* target, const QString& text);
// Puts `text` on the clipboard and presses Ctrl+V in `target`.
void PasteText(QWidget* target, const QString& text);
