#include "bench/support/StartedProgram.h"

#include <QtGlobal>

#include <cstdio>

#include "main/ProgramStart.h"
#include "main/WindowRegistry.h"

void UseOffscreenUnlessDisplay()
{
    if (qEnvironmentVariableIsEmpty("DISPLAY") && qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
}

StartedProgram::Environment::Environment()
{
    UseOffscreenUnlessDisplay();
    qputenv("VLM_UPDATE_URL", "http://127.0.0.1:9");
}

StartedProgram::StartedProgram(int& argc, char** argv)
    : app_(argc, argv)
{
    folders_.copyFactoryFiles();
}

StartedProgram::~StartedProgram()
{
    WindowRegistry::instance().clear();
}

bool StartedProgram::start()
{
    if (StartProgram({}, lock_))
        return true;
    std::fprintf(stderr, "the program did not start\n");
    return false;
}
