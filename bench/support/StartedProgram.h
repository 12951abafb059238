#pragma once
// The program as the in-process benchmarks run it: the application object (offscreen
// unless a display is given, the update check pointed at a closed port), temporary data
// and program folders with the factory files, scripted dialogs and the usual start-up.
// The windows it created are released with it.
#include "main/InstanceLock.h"
#include "platform/Application.h"
#include "platform/ScriptedDialogs.h"
#include "tests/support/TempFolders.h"

// Runs the benchmark under the offscreen platform unless a display is given; call before
// the application object is made.
void UseOffscreenUnlessDisplay();

class StartedProgram {
public:
    StartedProgram(int& argc, char** argv);
    ~StartedProgram();
    StartedProgram(const StartedProgram&) = delete;
    StartedProgram& operator=(const StartedProgram&) = delete;

    // False (with the reason on stderr) when the program did not start.
    bool start();

    const TempFolders& folders() const { return folders_; }
    ScriptedDialogs& dialogs() { return dialogs_; }

private:
    // Set up before the application object exists.
    struct Environment {
        Environment();
    };

    Environment environment_;
    Application app_;
    TempFolders folders_;
    ScriptedDialogs dialogs_;
    InstanceLock lock_;
};
