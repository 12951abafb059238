#include "tests/support/TestApplication.h"

#include "platform/Application.h"

void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "vlm_test";
    static char* argv[] = {name, nullptr};
    if (!Application::instance())
        new Application(argc, argv);
}
