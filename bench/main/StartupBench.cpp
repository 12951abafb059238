// Starts this executable as a child process again and again and times each child from
// its start to its first window shown on screen:
//   program  the real start (application, every window, start-up routine, main window);
//   floor    a bare Qt application (none of the program's own code) in the same executable,
//            so with the same libraries to load, that shows one empty main window. It
//            draws no text, so it reads no font configuration and opens no font: the
//            ratio counts everything the program shows beyond an empty window (menus,
//            tool bar, tree, tabs, their texts and fonts) and the 58 other windows it
//            makes at start. This floor is the goal's reference, not the same work.
// The child leaves at once when its window is exposed, so the time is start-to-shown.
// Program and floor children alternate; each prints its median and spread.
// Runs under the offscreen platform unless a display is given.
#include <QCoreApplication>
#include "bench/support/BenchTiming.h"
#include "bench/support/StartedProgram.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QMainWindow>
#include <QProcess>
#include <QWindow>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <unistd.h>
#include <vector>

#include "main/Glowna.h"
#include "main/InstanceLock.h"
#include "main/ProgramStart.h"
#include "main/WindowRegistry.h"
#include "platform/Application.h"
#include "store/Folders.h"
#include "tests/support/TempFolders.h"

namespace {

// A start lasts about 0.1 s and its time swings with the machine's page-fault costs: the
// median of 31 pairs moves by a few per cent between runs, that of 11 by over ten.
constexpr int kRuns = 31;

[[noreturn]] void LeaveWhenExposed(QWidget& window)
{
    while (!window.windowHandle() || !window.windowHandle()->isExposed())
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 10);
    std::fflush(stdout);
    ::_exit(0);
}

int RunChild(int argc, char** argv)
{
    const std::string mode = argv[2];
    if (mode == "floor") {
        QApplication app(argc, argv);
        QMainWindow window;
        window.showMaximized();
        LeaveWhenExposed(window);
    }
    Application app(argc, argv);
    SetDataFolderOverride(argv[3]);
    SetProgramFolderOverride(argv[4]);
    InstanceLock lock;
    if (!StartProgram({}, lock))
        return 1;
    std::printf("%zu windows\n", WindowRegistry::instance().created().size());
    LeaveWhenExposed(*FGlowna);
}

void StartChild(const QString& self, const QStringList& arguments, QByteArray* output)
{
    QProcess child;
    child.start(self, arguments);
    if (!child.waitForFinished(60000) || child.exitCode() != 0) {
        std::fprintf(stderr, "child %s failed: %s\n", qPrintable(arguments.join(' ')),
                     child.readAllStandardError().constData());
        std::exit(1);
    }
    *output = child.readAllStandardOutput();
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::string(argv[1]) == "--child")
        return RunChild(argc, argv);

    UseOffscreenUnlessDisplay();
    QCoreApplication app(argc, argv);
    TempFolders folders;
    folders.copyFactoryFiles();
    const QString self = QCoreApplication::applicationFilePath();
    const QStringList program = {"--child", "program", QString::fromStdString(folders.dataFolder()),
                                 QString::fromStdString(folders.programFolder())};

    QByteArray output;
    // The first start copies the factory files into the empty data folder; time it apart.
    QElapsedTimer first;
    first.start();
    QProcess::execute(self, program);
    const double firstMs = first.nsecsElapsed() / 1e6;

    QByteArray ignored;
    const auto start = Alternate(
        kRuns, [&] { StartChild(self, program, &output); },
        [&] {
            StartChild(self, {"--child", "floor"}, &ignored);
        });
    std::printf("start to main window shown (%s); median (min-max) of %d\n",
                output.trimmed().constData(), kRuns);
    Report("start to main window shown", start, 2.0);
    std::printf("  program, first start: %8.1f ms (factory files copied)\n", firstMs);
    return 0;
}
