#pragma once
// One Application for the whole test binary (Qt allows one per process).
#include "platform/Application.h"

inline Application& TestApp()
{
    static int argc = 1;
    static char name[] = "platform_test";
    static char* argv[] = {name, nullptr};
    static Application* app = [] {
        auto* a = new Application(argc, argv);
        a->setTitle(QStringLiteral("Tovrix - Velmorandia"));
        return a;
    }();
    return *app;
}

// Sends a key press (and release) through the application, as a person's typing arrives.
void TypeKey(QWidget* target, int key, const QString& text = QString(),
             Qt::KeyboardModifiers modifiers = Qt::NoModifier);
void TypeText(QWidget* target, const QString& text);
// Puts `text` on the clipboard and presses Ctrl+V in `target`.
void PasteText(QWidget* target, const QString& text);
