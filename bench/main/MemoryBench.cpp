// Memory after every document form window has been shown once, as a person paging
// through all of them would: the program started as usual, then each form shown the way
// the main window shows it, until its window is exposed (that first show timed), and
// closed again. Prints the peak resident
// size (VmHWM) and the resident size at the end (VmRSS).
// Runs under the offscreen platform unless a display is given.
#include <QCoreApplication>
#include <QDialog>
#include <QElapsedTimer>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <string>
#include <vector>

#include "bench/support/StartedProgram.h"
#include "forms/DocumentForm.h"
#include "forms/FormRegistry.h"

namespace {

// A line of /proc/self/status such as "VmHWM:  123456 kB", in MB.
double StatusMb(const std::string& key)
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line))
        if (line.rfind(key + ":", 0) == 0)
            return std::stod(line.substr(key.size() + 1)) / 1024.0;
    return -1;
}

void WaitUntilExposed(QWidget& window)
{
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
}

}  // namespace

int main(int argc, char** argv)
{
    StartedProgram program(argc, argv);
    if (!program.start())
        return 1;
    QCoreApplication::processEvents();
    const double started = StatusMb("VmRSS");

    int shown = 0;
    double slowestMs = 0;
    std::vector<double> times;
    std::string slowest;
    for (const auto& form : FormRegistry::instance().forms()) {
        QElapsedTimer timer;
        timer.start();
        double ms = 0;
        program.dialogs().answerModal([&](QDialog& window) {
            WaitUntilExposed(window);
            ms = double(timer.nsecsElapsed()) / 1e6;
            window.reject();
        });
        form->ShowModal();
        if (ms > slowestMs) {
            slowestMs = ms;
            slowest = form->className().toStdString();
        }
        times.push_back(ms);
        ++shown;
    }
    QCoreApplication::processEvents();
    std::printf("form windows shown once: %d\n", shown);
    std::printf("  RSS after start:            %7.1f MB\n", started);
    std::printf("  RSS after every window:     %7.1f MB\n", StatusMb("VmRSS"));
    const double peak = StatusMb("VmHWM");
    std::printf("  peak RSS (VmHWM):           %7.1f MB   goal <= 200 MB: %s\n", peak,
                peak <= 200 ? "met" : "NOT met");
    std::sort(times.begin(), times.end());
    std::printf("  first show, median:         %7.1f ms\n", times[times.size() / 2]);
    std::printf("  slowest first show:         %7.1f ms (%s)   goal < 80 ms: %s\n", slowestMs,
                slowest.c_str(), slowestMs < 80 ? "met" : "NOT met");
    return 0;
}
