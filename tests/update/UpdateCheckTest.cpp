// The update check and the installer download against a local HTTP server, with
// scripted dialogs, a temporary data folder and a stand-in for the main window.
#include "LocalHttpServer.h"
#include "UpdateTestSupport.h"

#include "tests/support/Typing.h"

#include "main/Aktualizacja.h"
#include "main/UpdateCheckServer.h"
#include "main/UpdateCheckThread.h"
#include "platform/Button.h"

#include <QFile>
#include <QLabel>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPointer>
#include <QThread>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

const QString kQuestion120 =
    QStringLiteral("Aktualna wersja programu to: 1.1.2\nWersja dostępna na serwerze to: 1.2.0\n\n"
                   "Czy chcesz pobrać nową wersje programu ?");

class UpdateCheck : public UpdateTestBase {
protected:
    void runCheckThroughWindow()
    {
        closeWindowAfterDownload();
        runCheck(false);
        ASSERT_TRUE(WaitUntil([&] { return windowsClosed == 1; }))
            << "the timer did not open the update window";
    }

    // A check at start shows nothing; the same check from the menu shows exactly this box.
    void expectBoxOnlyFromTheMenu(const QString& text, const QString& caption, MsgIcon icon)
    {
        runCheck(true);
        EXPECT_TRUE(dialogs.requests().empty());

        dialogs.answerMessage(Answer::Ok);
        runCheck(false);
        ASSERT_EQ(dialogs.requests().size(), 1u);
        const DialogRequest& box = dialogs.requests()[0];
        EXPECT_EQ(box.text, text);
        EXPECT_EQ(box.caption, caption);
        EXPECT_EQ(box.icon, icon);
        EXPECT_EQ(box.buttons, MsgButtons::Ok);
    }

    // An installer left by an earlier download, longer than the new one.
    void leaveOldInstaller() const
    {
        QFile old(installerFile());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
    }
};

TEST_F(UpdateCheck, NewerVersionAsksAndNoEndsQuietly)
{
    serveRecord(Record(1, 2, 0));
    dialogs.answerMessage(Answer::No);
    runCheck(true);

    ASSERT_EQ(dialogs.requests().size(), 1u);
    const DialogRequest& question = dialogs.requests()[0];
    EXPECT_EQ(question.kind, DialogKind::Message);
    EXPECT_EQ(question.text, kQuestion120);
    EXPECT_EQ(question.caption, "Nowa wersja");
    EXPECT_EQ(question.icon, MsgIcon::Question);
    EXPECT_EQ(question.buttons, MsgButtons::YesNo);
    EXPECT_EQ(server.lastUserAgent(), "UPDATE CHECK");
    EXPECT_EQ(host.timerStarts, 0);
}

TEST_F(UpdateCheck, UnsavedChangesAskToSaveFirstAndOpenNoWindow)
{
    serveRecord(Record(1, 2, 0));
    host.isModified = true;
    dialogs.answerMessage(Answer::Yes).answerMessage(Answer::Ok);
    runCheck(false);

    ASSERT_EQ(dialogs.requests().size(), 2u);
    const DialogRequest& saveFirst = dialogs.requests()[1];
    EXPECT_EQ(saveFirst.text,
              QStringLiteral("Przed aktualizacją programu zapisz dane\a a następnie "
                             "uruchom aktualizację.\nPomoc->Sprawdź czy jest nowa "
                             "wersja"));
    EXPECT_EQ(saveFirst.caption, "Zapisz dane");
    EXPECT_EQ(saveFirst.icon, MsgIcon::None);
    EXPECT_EQ(saveFirst.buttons, MsgButtons::Ok);
    EXPECT_EQ(host.timerStarts, 0);
    EXPECT_EQ(window->AWersjaLabel->text(), "1.1.2");
    EXPECT_EQ(window->NWersjaLabel->text(), "1.2.0");
}

TEST_F(UpdateCheck, AgreedUpdateDownloadsTheWholeInstallerAndHandsItToTheDesktop)
{
    const QByteArray installer = Payload(1050);
    serveRecord(Record(1, 2, 0));
    serveInstaller({.body = installer});
    leaveOldInstaller();
    dialogs.answerMessage(Answer::Yes);
    runCheckThroughWindow();

    EXPECT_EQ(host.timerStarts, 1);
    EXPECT_EQ(shown.closeCaption, "Zainstaluj");
    EXPECT_EQ(shown.status, "Pobieranie nowej wersji programu");
    EXPECT_EQ(shown.gaugeMaximum, 1050);
    EXPECT_EQ(shown.gaugeValue, 1050);
    EXPECT_EQ(shown.link, server.address() + kInstallerPath);
    EXPECT_EQ(shown.runningVersion, "1.1.2");
    EXPECT_EQ(shown.serverVersion, "1.2.0");
    EXPECT_EQ(server.lastUserAgent(), "UPDATE CHECK");

    QFile saved(installerFile());
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_EQ(saved.size(), 1050);
    EXPECT_EQ(saved.readAll(), installer);

    // "Zainstaluj": the main window may close, the file goes to the desktop's opener.
    EXPECT_TRUE(host.closing);
    EXPECT_EQ(opener.opened, QStringList{installerFile()});
    EXPECT_TRUE(opener.started.isEmpty()) << "the installer must never be run by the program";
}

TEST_F(UpdateCheck, InstallerTheDesktopCannotOpenIsReportedAndTheProgramGoesOn)
{
    serveRecord(Record(1, 2, 0));
    serveInstaller({.body = Payload(1050)});
    opener.refuseOpening = true;
    dialogs.answerMessage(Answer::Yes);
    closeWindowAfterDownload();
    dialogs.answerMessage(Answer::Ok);
    runCheck(false);
    ASSERT_TRUE(WaitUntil([&] { return windowsClosed == 1; }));

    EXPECT_EQ(shown.closeCaption, "Zainstaluj");
    EXPECT_EQ(opener.opened, QStringList{installerFile()});
    EXPECT_FALSE(host.closing);
    const auto boxes = dialogs.requestsOf(DialogKind::Message);
    ASSERT_EQ(boxes.size(), 2u);
    EXPECT_EQ(boxes[1].caption, "Aktualizacja");
    EXPECT_EQ(boxes[1].icon, MsgIcon::Warning);
    EXPECT_TRUE(boxes[1].text.startsWith("Nie udało się uruchomić instalatora nowej wersji:\n" +
                                         installerFile() + "\n"))
        << boxes[1].text.toStdString();
    EXPECT_TRUE(QFile::exists(installerFile()));
}

TEST_F(UpdateCheck, EscLeavesTheWindowOnlyOnceTheDownloadEndedAndStartsNothing)
{
    serveRecord(Record(1, 2, 0));
    serveInstaller({.body = Payload(1050)});
    dialogs.answerMessage(Answer::Yes);
    bool stayedWhileDownloading = false;
    bool closedAfterwards = false;
    int linkCursor = -1;
    QString closeCaption;
    dialogs.answerModal([&](QDialog& dialog) {
        auto& w = static_cast<TFAktualizacja&>(dialog);
        // The address is shown from its beginning.
        linkCursor = w.editDownloadLink->cursorPosition();
        // The download's end reaches the window only through its event loop.
        EXPECT_FALSE(w.btnClose->isEnabled());
        TypeKey(&w, Qt::Key_Escape);
        stayedWhileDownloading = w.isVisible();
        ASSERT_TRUE(WaitUntil([&] { return w.btnClose->isEnabled(); }));
        closeCaption = w.btnClose->text();
        TypeKey(&w, Qt::Key_Escape);
        closedAfterwards = !w.isVisible();
        ++windowsClosed;
    });
    runCheck(false);
    ASSERT_TRUE(WaitUntil([&] { return windowsClosed == 1; }));

    EXPECT_EQ(linkCursor, 0);
    EXPECT_TRUE(stayedWhileDownloading);
    EXPECT_EQ(closeCaption, "Zainstaluj");
    EXPECT_TRUE(closedAfterwards);
    EXPECT_TRUE(opener.opened.isEmpty());
    EXPECT_FALSE(host.closing);
}

TEST_F(UpdateCheck, FailedDownloadLeavesNoFileAndOffersOnlyClosing)
{
    const struct {
        const char* name;
        ScriptedResponse response;
        QString status;
    } cases[] = {
        {"connection cut midway",
         {.body = Payload(500), .announcedLength = 1050},
         "Błąd podczas próby czytania pliku..."},
        {"no length announced",
         {.body = Payload(1050), .withoutLength = true},
         "Błąd podczas próby czytania pliku..."},
        {"installer missing", {.status = 404, .body = "not here"}, "Błąd połączenia..."},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        resetRun();
        serveRecord(Record(1, 2, 0));
        serveInstaller(c.response);
        dialogs.answerMessage(Answer::Yes);
        runCheckThroughWindow();

        EXPECT_EQ(shown.status, c.status);
        EXPECT_EQ(shown.closeCaption, "Zamknij");
        EXPECT_FALSE(QFile::exists(installerFile()));
        EXPECT_FALSE(host.closing);
        EXPECT_TRUE(opener.opened.isEmpty());
        EXPECT_TRUE(opener.started.isEmpty());
    }
}

TEST_F(UpdateCheck, StatusOtherThan200EndsSilentlyEvenFromTheMenu)
{
    for (int status : {403, 404, 500, 204}) {
        SCOPED_TRACE(status);
        resetRun();
        serveRecord(Record(9, 9, 9), status);
        runCheck(false);
        EXPECT_TRUE(dialogs.requests().empty());
    }
}

TEST_F(UpdateCheck, SameVersionIsReportedOnlyFromTheMenu)
{
    serveRecord(Record(1, 1, 2));
    expectBoxOnlyFromTheMenu(QStringLiteral("Aktualna wersja programu to: 1.1.2\nWersja dostępna "
                                            "na serwerze to: 1.1.2\n\nBrak nowej wersji do "
                                            "pobrania."),
                             QString(), MsgIcon::None);
}

TEST_F(UpdateCheck, ShortRecordReadsMissingPartsAsZero)
{
    serveRecord(Record(2, 0, 0).left(4));
    dialogs.answerMessage(Answer::No);
    runCheck(false);
    ASSERT_EQ(dialogs.requests().size(), 1u);
    EXPECT_TRUE(dialogs.requests()[0].text.contains("Wersja dostępna na serwerze to: 2.0.0\n"));
}

TEST_F(UpdateCheck, UnreachableServerIsSilentAtStartAndReportedFromTheMenu)
{
    qputenv(kUpdateServerVariable, UnreachableAddress().toUtf8());
    expectBoxOnlyFromTheMenu(QStringLiteral("Błąd podczas próby połączenia z internetem"),
                             QStringLiteral("Aktualizacja"), MsgIcon::Warning);
}

TEST_F(UpdateCheck, CheckStillWaitingWhenTheProgramEndsIsStopped)
{
    server.respond(kVersionRecordPath, {.neverAnswer = true});
    QPointer<QThread> thread = StartUpdateCheckThread(false);
    // The message loop ends while the server keeps the check waiting.
    QTimer::singleShot(200, qApp, &QCoreApplication::quit);
    qApp->exec();
    ASSERT_FALSE(thread.isNull());
    EXPECT_TRUE(thread->isFinished());
    EXPECT_TRUE(dialogs.requests().empty());
    WaitUntil([&] { return thread.isNull(); });
}

TEST_F(UpdateCheck, BrowserButtonOpensTheInstallerAddress)
{
    window->editDownloadLink->setText(server.address() + kInstallerPath);
    window->btnDownloadViaBrowser->click();
    EXPECT_EQ(opener.opened, QStringList{server.address() + kInstallerPath});
}

TEST_F(UpdateCheck, WindowStartsAsDesigned)
{
    EXPECT_EQ(window->windowTitle(), "Aktualizacja");
    EXPECT_EQ(window->size(), QSize(404, 205));
    EXPECT_FALSE(window->windowFlags() & Qt::WindowCloseButtonHint);
    const std::pair<QLabel*, const char*> labels[] = {
        {window->Label1, "Aktualna wersja:"},
        {window->Label2, "Nowa wersja:"},
        {window->Label3, "Postęp pobierania:"},
        {window->Label5, "Status:"},
        {window->Label4, "Jeśli masz problem z pobraniem programu użyj adresu poniżej:"},
    };
    for (const auto& [label, text] : labels)
        EXPECT_EQ(label->text(), QString::fromUtf8(text));
    EXPECT_FALSE(window->editStatus->isEnabled());
    EXPECT_TRUE(window->editDownloadLink->isReadOnly());
    EXPECT_EQ(window->btnDownloadViaBrowser->text(), "Pobierz przez przeglądarkę");
    EXPECT_EQ(window->btnClose->text(), "Zamknij");
}

}  // namespace
