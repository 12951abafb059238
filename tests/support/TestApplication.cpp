#include "tests/support/TestApplication.h"

#include "main/UpdateCheckServer.h"
#include "platform/Application.h"

#include <QtGlobal>

void EnsureApplication()
{
    static int argc = 1;
    static char name[] = "vlm_test";
    static char* argv[] = {name, nullptr};
    if (!Application::instance()) {
        PointUpdateCheckAtClosedPort();
        new Application(argc, argv);
    }
}

void PointUpdateCheckAtClosedPort()
{
    // Port 9 (discard) is closed on any test machine: the check ends at once, unreachable.
    qputenv(kUpdateServerVariable, "http://127.0.0.1:9");
}
