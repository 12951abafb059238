// The log viewer, the wait window and the about box.
#include "tests/main/MainTestSupport.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>

#include <memory>

#include "main/Glowna.h"
#include "main/Logi.h"
#include "main/MakerAddresses.h"
#include "main/OProgramie.h"
#include "main/Wait.h"
#include "platform/Button.h"
#include "platform/Controls.h"
#include "store/CppSQLite3.h"
#include "store/Logs.h"

namespace {

class RecordingMailSender : public MailSender {
public:
    explicit RecordingMailSender(bool accept) : accept_(accept) {}
    bool Send(const MailMessage& message) override
    {
        sent.push_back(message);
        return accept_;
    }
    std::vector<MailMessage> sent;

private:
    bool accept_;
};

QStringList Rows(const ListView& list)
{
    QStringList rows;
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
        const QTreeWidgetItem* item = list.topLevelItem(i);
        rows << item->text(0) + " | " + item->text(1) + " | " + item->text(2);
    }
    return rows;
}

}  // namespace

class SmallWindowsTest : public ShellTest {
protected:
    void SetUp() override { ASSERT_TRUE(start()); }

    void writeLog(const std::vector<std::array<const char*, 3>>& rows)
    {
        CppSQLite3DB db;
        db.Open(folders.dataFile("logs.sqdb"), CppSQLite3DB::OpenMode::Create);
        db.RunUpdate("create table `error`( datetime TEXT, fun TEXT, info TEXT )");
        for (const auto& row : rows)
            db.RunUpdate(std::string("insert into `error` values( '") + row[0] + "', '" + row[1] +
                         "', '" + row[2] + "' )");
    }

    // Opens the log viewer from the menu and returns the rows it showed.
    QStringList showLogViewer()
    {
        QStringList shown;
        dialogs.answerModal([&](QDialog&) { shown = Rows(*FLogi->LogsListView); });
        window().action("Logiprogramu1")->trigger();
        return shown;
    }
};

TEST_F(SmallWindowsTest, LogViewerListsTheRowsInTableOrderEveryTimeItOpens)
{
    writeLog({{"2015.6.23 7:5:9", "bFunLoadCertData()", "Plik nie istnieje: \n/a/b"},
              {"2015.6.23 7:5:9", "bFunCopyFile()", "Błąd podczas kopiowania pliku."},
              {"2016.1.2 10:0:0", "ImportujPlikKalibracji()", "trzeci"}});
    const QStringList expected = {
        "2015.6.23 7:5:9 | bFunLoadCertData() | Plik nie istnieje: \n/a/b",
        "2015.6.23 7:5:9 | bFunCopyFile() | Błąd podczas kopiowania pliku.",
        "2016.1.2 10:0:0 | ImportujPlikKalibracji() | trzeci",
    };
    EXPECT_EQ(showLogViewer(), expected);
    EXPECT_EQ(showLogViewer(), expected);
    const auto modal = dialogs.requestsOf(DialogKind::Modal);
    ASSERT_EQ(modal.size(), 2u);
    EXPECT_EQ(modal[0].caption, "Logi programu");
    EXPECT_EQ(FLogi->LogsListView->headerItem()->text(0), "Data / czas");
    EXPECT_EQ(FLogi->LogsListView->headerItem()->text(2), "Informacja");
    EXPECT_TRUE(messages().empty());
}

TEST_F(SmallWindowsTest, LogViewerWithoutALogOpensEmptyAndSilent)
{
    EXPECT_TRUE(showLogViewer().isEmpty());
    EXPECT_TRUE(messages().empty());
}

TEST_F(SmallWindowsTest, SendButtonHandsTheLogToTheMailProgram)
{
    for (const bool accepted : {true, false}) {
        auto sender = std::make_shared<RecordingMailSender>(accepted);
        SetMailSender(sender);
        dialogs.clearRequests();
        if (!accepted)
            dialogs.answerMessage(Answer::Ok);
        FLogi->BitBtn2->click();
        ASSERT_EQ(sender->sent.size(), 1u);
        const MailMessage& mail = sender->sent[0];
        EXPECT_EQ(mail.subject, "Logi");
        EXPECT_EQ(mail.body, "Logi programu Tovrix-Kalenor");
        EXPECT_EQ(mail.recipient, SupportMailAddress().toStdString());
        EXPECT_EQ(mail.attachmentPath, folders.dataFile("logs.sqdb"));
        EXPECT_EQ(mail.attachmentName, "logs.sqdb");
        if (accepted) {
            EXPECT_TRUE(messages().empty());
        } else {
            ASSERT_EQ(messages().size(), 1u);
            EXPECT_EQ(messages()[0].text, "Błąd podczas próby wysłania maila");
            EXPECT_EQ(messages()[0].caption, "Błąd");
            EXPECT_EQ(messages()[0].icon, MsgIcon::Error);
        }
    }
    SetMailSender(nullptr);
}

TEST_F(SmallWindowsTest, WaitWindowBarFollowsTheRowsWritten)
{
    FWait->show();
    FWait->Begin("", 300);
    EXPECT_EQ(FWait->ProgressBar->value(), 0);
    for (int row = 1; row <= 300; ++row) {
        FWait->Advance();
        ASSERT_EQ(FWait->ProgressBar->value(), row);
    }
    EXPECT_EQ(FWait->ProgressBar->maximum(), 300);
    EXPECT_EQ(FWait->size(), QSize(186, 51));
    EXPECT_TRUE(FWait->windowFlags() & Qt::FramelessWindowHint);
    FWait->close();
}

TEST_F(SmallWindowsTest, AboutBoxShowsItsLinesAndClosesWithItsButton)
{
    dialogs.answerModal([](QDialog& dialog) {
        auto* about = static_cast<TFOProgramie*>(&dialog);
        EXPECT_EQ(about->findChildren<QLabel*>(QRegularExpression("^Label")).size(), 9);
        EXPECT_FALSE(about->ZamknijButton->isDefault());
        about->ZamknijButton->click();
        EXPECT_FALSE(about->isVisible());
    });
    window().action("Oprogramie1")->trigger();
    EXPECT_EQ(dialogs.requestsOf(DialogKind::Modal).at(0).caption, "O programie");
}
