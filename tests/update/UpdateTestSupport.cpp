#include "UpdateTestSupport.h"

#include "tests/support/TestApplication.h"

#include "main/UpdateCheckServer.h"
#include "main/UpdateCheckThread.h"
#include "platform/Button.h"
#include "platform/DialogService.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
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

QByteArray Record(std::int32_t major, std::int32_t minor, std::int32_t build)
{
    QByteArray bytes;
    for (std::int32_t field : {major, minor, build})
        for (int i = 0; i < 4; ++i)
            bytes.append(char((std::uint32_t(field) >> (8 * i)) & 0xff));
    return bytes;
}

QByteArray Payload(int size)
{
    QByteArray bytes(size, '\0');
    for (int i = 0; i < size; ++i)
        bytes[i] = char(i * 7 + 3);
    return bytes;
}

TestMainWindow::TestMainWindow()
{
    timer_.setInterval(20);
    timer_.callOnTimeout([this] {
        timer_.stop();
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
    EnsureApplication();
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
    PointUpdateCheckAtClosedPort();
}

void UpdateTestBase::resetRun()
{
    dialogs.clearRequests();
    host.closing = false;
    host.timerStarts = 0;
    opener.opened.clear();
    opener.started.clear();
    windowsClosed = 0;
}

void UpdateTestBase::serveRecord(const QByteArray& record, int status)
{
    server.respond(kVersionRecordPath, {.status = status, .body = record});
}

void UpdateTestBase::serveInstaller(ScriptedResponse response)
{
    server.respond(kInstallerPath, std::move(response));
}

void UpdateTestBase::runCheck(bool silent)
{
    QPointer<QThread> thread = StartUpdateCheckThread(silent);
    ASSERT_TRUE(WaitUntil([&] { return thread.isNull(); })) << "the check did not end";
}

void UpdateTestBase::closeWindowAfterDownload()
{
    dialogs.answerModal([this](QDialog& dialog) {
        auto& w = static_cast<TFAktualizacja&>(dialog);
        ASSERT_TRUE(WaitUntil([&] { return w.btnClose->isEnabled(); }))
            << "the download did not end";
        shown = {w.editStatus->text(),  w.btnClose->text(),         w.Postep->maximum(),
                 w.Postep->value(),     w.editDownloadLink->text(), w.AWersjaLabel->text(),
                 w.NWersjaLabel->text()};
        w.btnClose->click();
        ++windowsClosed;
    });
}

QString UpdateTestBase::installerFile() const
{
    return QString::fromStdString(folders.dataFile("aktualizacja/nowy.exe"));
}
