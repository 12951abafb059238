// The hand-over to the real main window: its Modified flag, its AktualizacjaTimer that
// opens the update window, and its closing without questions after "Zainstaluj".
#include "UpdateTestSupport.h"

#include "main/Glowna.h"
#include "main/UpdateCheckMainWindow.h"
#include "platform/Controls.h"

#include <QFile>

#include <gtest/gtest.h>

#include <fstream>

namespace {

class MainWindowHandOver : public UpdateTestBase {
protected:
    void SetUp() override
    {
        UpdateTestBase::SetUp();
        main = std::make_unique<TFGlowna>();
        ConnectUpdateCheck(*main);
        main->show();
        std::ofstream(workingCopy(), std::ios::binary) << "kopia robocza";
        serveRecord(Record(1, 2, 0));
    }

    void TearDown() override
    {
        main.reset();
        UpdateTestBase::TearDown();
    }

    std::string workingCopy() const { return folders.dataFile("data_tmp.sqtmp"); }

    // Agrees to the update and waits until the timer's update window has been closed.
    void agreeAndCloseTheWindow()
    {
        dialogs.answerMessage(Answer::Yes);
        closeWindowAfterDownload();
        runCheck(false);
        ASSERT_TRUE(WaitUntil([&] { return windowsClosed == 1; }))
            << "the timer did not open the update window";
        EXPECT_FALSE(main->AktualizacjaTimer->isEnabled());
    }

    std::unique_ptr<TFGlowna> main;
};

TEST_F(MainWindowHandOver, InstallClosesTheProgramWithoutQuestions)
{
    serveInstaller({.body = Payload(1050)});
    agreeAndCloseTheWindow();

    EXPECT_EQ(shown.closeCaption, "Zainstaluj");
    EXPECT_EQ(main->Closing, 1);
    EXPECT_FALSE(main->isVisible());
    EXPECT_FALSE(QFile::exists(QString::fromStdString(workingCopy())));
    EXPECT_EQ(dialogs.requestsOf(DialogKind::Message).size(), 1u) << "only the update question";
    EXPECT_EQ(opener.opened, QStringList{installerFile()});
}

TEST_F(MainWindowHandOver, FailedDownloadKeepsTheProgramRunning)
{
    serveInstaller({.body = Payload(500), .announcedLength = 1050});
    agreeAndCloseTheWindow();

    EXPECT_EQ(shown.closeCaption, "Zamknij");
    EXPECT_EQ(main->Closing, 0);
    EXPECT_TRUE(main->isVisible());
    EXPECT_TRUE(QFile::exists(QString::fromStdString(workingCopy())));
    EXPECT_TRUE(opener.opened.isEmpty());
}

TEST_F(MainWindowHandOver, UnsavedChangesLeaveTheTimerOff)
{
    main->Modified = 1;
    dialogs.answerMessage(Answer::Yes).answerMessage(Answer::Ok);
    runCheck(false);

    ASSERT_EQ(dialogs.requests().size(), 2u);
    EXPECT_EQ(dialogs.requests()[1].caption, "Zapisz dane");
    EXPECT_FALSE(main->AktualizacjaTimer->isEnabled());
    EXPECT_TRUE(main->isVisible());
}

}  // namespace
