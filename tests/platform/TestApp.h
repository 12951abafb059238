#pragma once
// One Application for the whole test binary (Qt allows one per process).
#include "platform/Application.h"
#include "tests/support/TestApplication.h"
#include "tests/support/Typing.h"

inline Application& TestApp()
{
    EnsureApplication();
    Application* app = Application::instance();
    app->setTitle(QStringLiteral("Tovrix - Velmorandia"));
    return *app;
}
