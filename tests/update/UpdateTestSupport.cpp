#include "UpdateTestSupport.h"

#include "main/UpdateCheckServer.h"
#include "platform/DialogService.h"

#include <QElapsedTimer>
#include <QThread>

#include <filesystem>

bool WaitUntil(const std::function<bool()>& done, int timeoutMs)
{
    QElapsedTimer clock;
    clock.start();
    while (!done()) {
        if (clock.hasExpired(timeoutMs))
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        // Threads that ended delete themselves later; a hand-made loop must deliver that.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QThread::msleep(1);
    }
    return true;
}

TestMainWindow::TestMainWindow()
{
    timer_.setInterval(20);
    timer_.callOnTimeout([this] {
        timer_.stop();
        ++windowShowings;
        DialogService::instance().showModal(*FAktualizacja);
    });
}

void TestMainWindow::enableUpdateTimer()
{
    ++timerStarts;
    timer_.start();
}

void UpdateTestBase::SetUpTestSuite()
{
    static int argc = 1;
    static char name[] = "update_tests";
    static char* argv[] = {name, nullptr};
    if (!QCoreApplication::instance())
        new QApplication(argc, argv);
}

void UpdateTestBase::SetUp()
{
    dialogs.setFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
    std::filesystem::create_directories(folders.dataFile("aktualizacja"));
    qputenv(kUpdateServerVariable, server.address().toUtf8());
    window = std::make_unique<TFAktualizacja>();
    FAktualizacja = window.get();
    SetUpdateHost(&host);
}

void UpdateTestBase::TearDown()
{
    EXPECT_EQ(dialogs.pendingAnswers(), 0u) << "scripted answers left unused";
    SetUpdateHost(nullptr);
    FAktualizacja = nullptr;
    window.reset();
    qunsetenv(kUpdateServerVariable);
}

void UpdateTestBase::resetRun()
{
    dialogs.clearRequests();
    host.closing = false;
    host.timerStarts = 0;
    host.windowShowings = 0;
    opener.opened.clear();
    opener.started.clear();
}
