#include "main/InstanceLock.h"
#include "main/ProgramStart.h"
#include "main/WindowRegistry.h"
#include "platform/Application.h"

int main(int argc, char** argv)
{
    Application app(argc, argv);
    try {
        InstanceLock lock;
        if (StartProgram(app.arguments().mid(1), lock))
            app.runMessageLoop();
    } catch (...) {
        app.showCurrentException();
    }
    WindowRegistry::instance().clear();
    return 0;
}
