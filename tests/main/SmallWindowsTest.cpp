// The log viewer, the wait window and the about box.
#include "tests/main/MainTestSupport.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QTest>
#include <QTimer>

#include <memory>

#include "forms/FormRegistry.h"
#include "forms/dialogs/StudentDialog.h"
#include "main/Glowna.h"
#include "main/Logi.h"
#include "main/MakerAddresses.h"
#include "main/OProgramie.h"
#include "main/Wait.h"
#include "platform/Button.h"
#include "platform/Controls.h"
#include "store/CertFile.h"
#include "store/CppSQLite3.h"
#include "store/Logs.h"

namespace {

class RecordingMailSender : public MailSender {
public:
    explicit RecordingMailSender(bool accept)
        : accept_(accept)
    {
    }
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

TEST_F(SmallWindowsTest, LogViewerShowsTheDateTimeAndTheFunctionWhole)
{
    writeLog({{"2015.12.23 17:45:59", "bFunZapiszIstniejacyPlikSwiadectw()", "Błąd kopiowania"},
              {"2016.1.2 10:0:0", "ImportujPlikKalibracji()", "drugi"}});
    QList<int> needed, widths;
    QRect header, rows;
    dialogs.answerModal([&](QDialog&) {
        const ListView& list = *FLogi->LogsListView;
        header = list.header()->geometry();
        rows = list.viewport()->geometry();
        // The text's width and the margins the list draws on either side of it.
        const int margins =
            2 * (list.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &list) + 1);
        for (int column : {0, 1}) {
            int widest = 0;
            for (int row = 0; row < list.topLevelItemCount(); ++row)
                widest = std::max(widest, list.fontMetrics().horizontalAdvance(
                                              list.topLevelItem(row)->text(column)));
            needed << widest + margins;
            widths << list.columnWidth(column);
        }
    });
    window().action("Logiprogramu1")->trigger();
    ASSERT_EQ(widths.size(), 2);
    for (int column : {0, 1})
        EXPECT_GE(widths[column], needed[column]) << column;
    EXPECT_GE(header.height(), FLogi->LogsListView->fontMetrics().height());
    EXPECT_GT(rows.top(), header.bottom()) << "the rows start below the column captions";
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
    // The bar moves when it is painted, at each quarter of the rows, and ends full.
    for (int row = 1; row <= 300; ++row) {
        FWait->Advance();
        ASSERT_EQ(FWait->ProgressBar->value(), row / 75 * 75) << row;
    }
    EXPECT_EQ(FWait->ProgressBar->maximum(), 300);
    EXPECT_EQ(FWait->size(), QSize(186, 51));
    EXPECT_TRUE(FWait->windowFlags() & Qt::FramelessWindowHint);
    FWait->close();
}

// Paints of the wait window's bar while a student is saved: the position each showed.
class PaintRecorder : public QObject {
public:
    explicit PaintRecorder(QWidget& bar)
        : bar_(bar)
    {
        bar.installEventFilter(this);
    }
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            painted << static_cast<QProgressBar&>(bar_).value();
            timerRanMeanwhile = timerRanMeanwhile || timerRan;
        }
        return false;
    }
    QList<int> painted;
    bool timerRan = false;
    bool timerRanMeanwhile = false;

private:
    QWidget& bar_;
};

TEST_F(SmallWindowsTest, WaitWindowIsOnScreenAndPaintedWhileAStudentIsSaved)
{
    ErrorStream es;
    ASSERT_EQ(iFunCheckIsStudentExists(es, folders.dataFile("data_tmp.sqtmp"), "PESEL123", true),
              0);
    FDaneUcznia->fields().setText(u"NumerPesel_DATA_EDIT", "123");
    FDaneUcznia->fields().setText(u"Nazwisko_DATA_EDIT", "Adamski");
    PaintRecorder recorder(*FWait->ProgressBar);
    // Nothing else runs while the window waits to be shown: a due timer waits too.
    QTimer due;
    due.setSingleShot(true);
    QObject::connect(&due, &QTimer::timeout, [&] { recorder.timerRan = true; });
    due.start(0);
    std::vector<FieldRecord> records;
    FDaneUcznia->CollectFields(records);
    FormRegistry::instance().CollectAll(records);

    ASSERT_TRUE(window().SaveStudentData());
    EXPECT_FALSE(FWait->isVisible());
    ASSERT_FALSE(recorder.painted.isEmpty());
    // From the empty bar to the full one.
    EXPECT_TRUE(recorder.painted.contains(0));
    EXPECT_EQ(recorder.painted.constLast(), int(records.size()));
    EXPECT_FALSE(recorder.timerRanMeanwhile);
    EXPECT_TRUE(QTest::qWaitFor([&] { return recorder.timerRan; }));
}

TEST_F(SmallWindowsTest, WaitWindowPaintsItsBarAFewTimesFromEmptyToFull)
{
    ErrorStream es;
    ASSERT_EQ(iFunCheckIsStudentExists(es, folders.dataFile("data_tmp.sqtmp"), "PESEL123", true),
              0);
    FDaneUcznia->fields().setText(u"NumerPesel_DATA_EDIT", "123");
    for (int save = 0; save < 2; ++save) {
        PaintRecorder recorder(*FWait->ProgressBar);
        ASSERT_TRUE(window().SaveStudentData());
        const int rows = int(window().RecordList.size());
        ASSERT_GT(rows, 1000);
        // Thousands of rows, but from empty on the bar is painted at each quarter only,
        // the last time full (before, showing the window paints what it held).
        ASSERT_TRUE(recorder.painted.contains(0));
        EXPECT_EQ(recorder.painted.mid(recorder.painted.indexOf(0)),
                  QList<int>({0, rows / 4, rows * 2 / 4, rows * 3 / 4, rows}));
        EXPECT_EQ(FWait->ProgressBar->value(), rows);
    }
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
