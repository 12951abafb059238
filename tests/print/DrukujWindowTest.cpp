// The print window against temporary folders holding the factory settings file, scripted
// dialogs and a recording printing system.
#include "render/DrukujWindow.h"
#include "render/PrintPlan.h"
#include "tests/print/RecordingPrint.h"
#include "tests/render/RenderFixtures.h"
#include "tests/support/TempFolders.h"
#include "platform/OsServices.h"
#include "platform/PrinterSetupDialog.h"
#include "platform/ScriptedDialogs.h"
#include "store/ErrorStream.h"
#include "store/Logs.h"
#include "store/Margins.h"
#include "store/Settings.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPrinter>
#include <QPushButton>
#include <QToolButton>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

const MarginSet kPortraitA4{
    "A4 pionowo", {{{9, 6, 201, 291}, {9, 6, 201, 291}, {9, 6, 201, 291}, {9, 6, 201, 291}}}, 1, 1};
const MarginSet kLandscapeA3{
    "A3 poziomo",
    {{{9, 6, 201, 291}, {219, 6, 411, 291}, {9, 6, 201, 291}, {219, 6, 411, 291}}},
    0,
    0};

class DrukujWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    void SetUp() override
    {
        dialogs.setFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
        folders.copyFactoryFiles();
        std::filesystem::copy_file(folders.programFile("ustawienia.sqset"), user());
        usePrinters({"Alpha", "Beta"}, "Beta", {"Beta"});
        window.setPrintJob(2, false, false);
    }

    RecordingPrintSystem& usePrinters(QStringList names, QString defaultName,
                                      std::set<QString> duplex)
    {
        auto owned = std::make_unique<RecordingPrintSystem>(
            record, std::move(names), std::move(defaultName), std::move(duplex));
        system = owned.get();
        window.setPrintSystem(std::move(owned));
        return *system;
    }

    std::string user() const { return folders.dataFile("ustawienia.sqset"); }

    std::vector<MarginSet> storedSets(const std::string& file)
    {
        ErrorStream es;
        std::vector<MarginSet> sets;
        EXPECT_TRUE(bFunMarginReadData(es, file, sets)) << es.str();
        return sets;
    }

    void storeChoice(int index)
    {
        ErrorStream es;
        ASSERT_TRUE(bFunSqlSettingWriteValue(es, "print_margin", index));
    }

    int storedChoice()
    {
        ErrorStream es;
        int value = -99;
        EXPECT_TRUE(bFunSqlGetSettingsValue(es, "print_margin", value));
        return value;
    }

    std::vector<std::string> items(const QComboBox* box) const
    {
        std::vector<std::string> found;
        for (int i = 0; i < box->count(); ++i)
            found.push_back(box->itemText(i).toStdString());
        return found;
    }

    std::vector<DialogRequest> messages() const { return dialogs.requestsOf(DialogKind::Message); }

    std::vector<LogRecord> logged()
    {
        ErrorStream es;
        std::vector<LogRecord> rows;
        bFunSqlGetLogsData(es, rows);
        return rows;
    }

    TempFolders folders;
    ScriptedDialogs dialogs;
    PageImages pages;
    ErrorStream errors;
    PrintRecord record;
    TFDrukuj window{pages, errors};
    RecordingPrintSystem* system = nullptr;
};

TEST_F(DrukujWindowTest, ShowListsPrintersAndSetsAndAppliesTheStoredChoice)
{
    struct Case {
        int stored;
        int selected;
        MarginSet shown;
        int paper, orientation;
    };
    const Case cases[] = {
        {0, 1, kLandscapeA3, 0, 0},  // the document's A3 paper outranks the remembered A4 set
        {1, 1, kLandscapeA3, 0, 0},
        {2, 1, kLandscapeA3, 0, 0},   // beyond the list: the first set for the document's paper
        {-1, -1, kPortraitA4, 0, 0},  // none chosen: the first set's edges, the document's defaults
    };
    for (const Case& c : cases) {
        storeChoice(c.stored);
        window.FormShow();
        EXPECT_EQ(items(window.DrukarkiComboBox), (std::vector<std::string>{"Alpha", "Beta"}));
        EXPECT_EQ(window.DrukarkiComboBox->currentText(), "Beta");
        EXPECT_TRUE(window.DuplexComboBox->isEnabled());
        EXPECT_EQ(items(window.MarginesyComboBox),
                  (std::vector<std::string>{"A4 pionowo", "A3 poziomo"}));
        EXPECT_EQ(window.MarginesyComboBox->currentIndex(), c.selected) << "stored " << c.stored;
        EXPECT_EQ(window.pageRects(), c.shown.page) << "stored " << c.stored;
        EXPECT_EQ(window.PageSizeComboBox->currentIndex(), c.paper) << "stored " << c.stored;
        EXPECT_EQ(window.PageOrientationComboBox->currentIndex(), c.orientation)
            << "stored " << c.stored;
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(DrukujWindowTest, ClosingStoresTheChosenSet)
{
    storeChoice(1);
    window.FormShow();
    window.AnulujButtonClick();
    EXPECT_EQ(storedChoice(), 1);
    ErrorStream es;
    std::string name;
    ASSERT_TRUE(bFunSqlGetSettingsValue(es, "print_margin", name));
    EXPECT_EQ(name, "A3 poziomo");
}

TEST_F(DrukujWindowTest, WithoutPrintersTheSetsStillLoadAndDrukujSaysSo)
{
    usePrinters({}, {}, {});
    window.setPrintJob(1, true, true);
    dialogs.answerMessage(Answer::Ok).answerMessage(Answer::Ok);
    window.FormShow();
    EXPECT_EQ(window.DrukarkiComboBox->count(), 0);
    EXPECT_EQ(items(window.MarginesyComboBox).size(), 2u);
    EXPECT_FALSE(window.DuplexComboBox->isEnabled());
    window.DrukujButtonClick();
    const auto shown = messages();
    ASSERT_EQ(shown.size(), 2u);
    for (const DialogRequest& m : shown) {
        EXPECT_EQ(m.text, QString::fromUtf8(kNoPrinterText));
        EXPECT_EQ(m.caption, "Błąd");
        EXPECT_EQ(m.icon, MsgIcon::Error);
    }
    EXPECT_EQ(record.opened, 0);
    EXPECT_EQ(logged().back().fun, "bFunSetPrinterDocProp()");
}

TEST_F(DrukujWindowTest, ChoosingAPrinterFollowsItsTwoSidedCapability)
{
    window.FormShow();
    window.DuplexComboBox->setCurrentIndex(2);
    window.cbRotateSecondPage->setChecked(true);
    window.DrukarkiComboBox->setCurrentIndex(0);
    window.DrukarkiComboBoxChange();
    EXPECT_EQ(window.currentPrinter(), "Alpha");
    EXPECT_FALSE(window.DuplexComboBox->isEnabled());
    EXPECT_FALSE(window.cbRotateSecondPage->isEnabled());
    EXPECT_EQ(window.DuplexComboBox->currentIndex(), 0);
    EXPECT_TRUE(window.cbRotateSecondPage->isChecked());
    window.DrukarkiComboBox->setCurrentIndex(1);
    window.DrukarkiComboBoxChange();
    EXPECT_TRUE(window.DuplexComboBox->isEnabled());
    EXPECT_TRUE(window.cbRotateSecondPage->isEnabled());
    // The choice stays current for the next opening.
    window.DrukarkiComboBox->setCurrentIndex(0);
    window.DrukarkiComboBoxChange();
    window.FormShow();
    EXPECT_EQ(window.DrukarkiComboBox->currentText(), "Alpha");
}

TEST_F(DrukujWindowTest, NudgeButtonsChangeOnlyTheEdits)
{
    window.FormShow();
    window.SpeedButton[0]->click();   // page 1 up
    window.SpeedButton[16]->click();  // page 3 right
    EXPECT_EQ(window.pageRect(1), (MarginRect{9, 5, 201, 290}));
    EXPECT_EQ(window.pageRect(3), (MarginRect{10, 6, 202, 291}));
    EXPECT_EQ(window.StronaEdit[0][1]->text(), "5");
    EXPECT_EQ(storedSets(user())[0], kPortraitA4);
}

TEST_F(DrukujWindowTest, SaveAsNewRefusesADuplicateAndStoresTheWindowsChoices)
{
    window.FormShow();
    dialogs.answerInput(QStringLiteral("A3 poziomo")).answerMessage(Answer::Ok);
    window.SaveNewSettingsButtonClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Ustawienia pod tą nazwą już istnieją");
    EXPECT_EQ(messages()[0].caption, "Duplikat");
    EXPECT_EQ(messages()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(storedSets(user()).size(), 2u);

    window.MarginesyComboBox->setCurrentIndex(1);
    window.MarginesyComboBoxChange();
    window.SpeedButton[3]->click();  // page 1 right
    window.PageSizeComboBox->setCurrentIndex(1);
    dialogs.answerInput(QStringLiteral("a3 poziomo 'szkoła'"));
    window.SaveNewSettingsButtonClick();
    const std::vector<MarginSet> sets = storedSets(user());
    ASSERT_EQ(sets.size(), 3u);
    MarginSet expected = kLandscapeA3;
    expected.name = "a3 poziomo 'szkoła'";
    expected.page[0] = {10, 6, 202, 291};
    expected.A4 = 1;
    EXPECT_EQ(sets[2], expected);
    EXPECT_EQ(items(window.MarginesyComboBox).back(), expected.name);
    EXPECT_EQ(window.MarginesyComboBox->currentIndex(), 0);
    EXPECT_EQ(window.pageRects(), kPortraitA4.page);
}

TEST_F(DrukujWindowTest, SaveAsNewKeepsTheStorableCharactersAndRefusesAnEmptyName)
{
    window.FormShow();
    dialogs.answerInput(QString()).answerMessage(Answer::Ok).answerInput(std::nullopt);
    window.SaveNewSettingsButtonClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, "Nazwa nie może być pusta. Proszę podać nazwę.");
    EXPECT_EQ(storedSets(user()).size(), 2u);  // cancelled: nothing stored

    dialogs.clearRequests();
    dialogs.answerInput(QStringLiteral("日本"))
        .answerMessage(Answer::Ok)
        .answerMessage(Answer::Ok)
        .answerInput(QStringLiteral("日本 zestaw"))
        .answerMessage(Answer::Ok);
    window.SaveNewSettingsButtonClick();
    ASSERT_EQ(messages().size(), 3u);
    EXPECT_EQ(messages()[0].text, "Pominięto znaki, których nie można zapisać: 日本");
    EXPECT_EQ(messages()[1].text, "Nazwa nie może być pusta. Proszę podać nazwę.");
    EXPECT_EQ(messages()[2].text, "Pominięto znaki, których nie można zapisać: 日本");
    const std::vector<MarginSet> sets = storedSets(user());
    ASSERT_EQ(sets.size(), 3u);
    EXPECT_EQ(sets[2].name, " zestaw");
    EXPECT_EQ(dialogs.pendingAnswers(), 0u);
}

TEST_F(DrukujWindowTest, DeleteAsksAndReloads)
{
    ErrorStream es;
    MarginSet quoted = kLandscapeA3;
    quoted.name = "Pani 'Ania'";
    ASSERT_TRUE(bFunMarginWriteNewSettings(es, user(), quoted)) << es.str();
    window.FormShow();
    window.MarginesyComboBox->setCurrentIndex(2);

    dialogs.answerMessage(Answer::No);
    window.DeleteSettingsButtonClick();
    EXPECT_EQ(messages().back().text, "Czy na pewno chcesz skasować ustawienia: Pani 'Ania' ?");
    EXPECT_EQ(messages().back().caption, "Kasowanie");
    EXPECT_EQ(messages().back().buttons, MsgButtons::YesNo);
    EXPECT_EQ(window.MarginesyComboBox->currentIndex(), 2);

    dialogs.answerMessage(Answer::Yes);
    window.DeleteSettingsButtonClick();
    EXPECT_EQ(items(window.MarginesyComboBox),
              (std::vector<std::string>{"A4 pionowo", "A3 poziomo"}));
    EXPECT_EQ(window.MarginesyComboBox->currentIndex(), 0);

    window.MarginesyComboBox->setCurrentIndex(-1);
    dialogs.answerMessage(Answer::Yes).answerMessage(Answer::Ok);
    window.DeleteSettingsButtonClick();
    EXPECT_EQ(messages().back().text, "Błąd podczas próby kasowania ustawień marginesów.");
    EXPECT_EQ(window.MarginesyComboBox->currentIndex(), 0)
        << "the sets are reloaded after a failure too";
}

TEST_F(DrukujWindowTest, FactoryRestoreBringsBackEveryColumn)
{
    ErrorStream es;
    for (const MarginSet& set : storedSets(user()))
        ASSERT_TRUE(bFunMarginDeleteSettings(es, user(), set.name));
    ASSERT_TRUE(bFunMarginWriteNewSettings(es, user(), {"własne", {}, 0, 1}));
    window.FormShow();
    EXPECT_EQ(items(window.MarginesyComboBox), (std::vector<std::string>{"własne"}));

    dialogs.answerMessage(Answer::Yes);
    window.ResetButtonClick();
    EXPECT_EQ(messages().back().text, "Czy na pewno chcesz przywrócić oryginalne ustawienia ?");
    EXPECT_EQ(messages().back().caption, "Przywracanie");
    EXPECT_EQ(window.MarginSets, storedSets(folders.programFile("ustawienia.sqset")));
    EXPECT_EQ(window.MarginSets, (std::vector<MarginSet>{kPortraitA4, kLandscapeA3}));
}

TEST_F(DrukujWindowTest, ShownModallyItShowsThePrintersAndStoresTheChoiceOnClosing)
{
    storeChoice(1);
    dialogs.answerModal([](QDialog& shown) {
        auto& print = dynamic_cast<TFDrukuj&>(shown);
        EXPECT_EQ(print.DrukarkiComboBox->count(), 2);
        print.MarginesyComboBox->setCurrentIndex(0);
        print.AnulujButtonClick();
    });
    EXPECT_EQ(DialogService::instance().showModal(window.dialog()), QDialog::Rejected);
    EXPECT_EQ(storedChoice(), 0);
}

class RecordingOs : public OsServices {
public:
    bool openDocument(const QString& pathOrUrl) override
    {
        opened << pathOrUrl;
        return true;
    }
    QStringList opened;
};

TEST_F(DrukujWindowTest, HelpOpensTheManualInTheDataFolder)
{
    RecordingOs os;
    OsServices* previous = OsServices::install(&os);
    window.PomocButtonClick();
    OsServices::install(previous);
    EXPECT_EQ(os.opened, QStringList{QString::fromStdString(folders.dataFile("Dovivureze.html"))});
}

class DrukujPrintTest : public DrukujWindowTest {
protected:
    void show(int pageCount)
    {
        window.setPrintJob(pageCount, true, true);
        window.FormShow();
    }
    int pageOf(const DrawnPage& drawn) const { return int(drawn.image - pages.data()) + 1; }
};

TEST_F(DrukujPrintTest, TwoSidedFourPagesIsOneJobWithTheJobsSettings)
{
    show(4);
    window.MarginesyComboBox->setCurrentIndex(1);
    window.MarginesyComboBoxChange();
    window.DuplexComboBox->setCurrentIndex(1);
    window.cbRotateSecondPage->setChecked(true);
    window.DrukujButtonClick();
    EXPECT_TRUE(messages().empty());
    ASSERT_EQ(record.jobs.size(), 1u);
    EXPECT_EQ(record.jobs[0].name, "TOVRIX");
    ASSERT_EQ(record.jobs[0].pages.size(), 2u);
    const auto& first = record.jobs[0].pages[0].drawn;
    const auto& second = record.jobs[0].pages[1].drawn;
    ASSERT_EQ(first.size(), 2u);
    ASSERT_EQ(second.size(), 2u);
    EXPECT_EQ(pageOf(first[0]), 1);
    EXPECT_EQ(pageOf(first[1]), 4);
    EXPECT_EQ(pageOf(second[0]), 2);
    EXPECT_EQ(pageOf(second[1]), 3);
    // Pages 2 and 4 of "A3 poziomo", 219, 6, 411, 291 mm, at 600 dpi with offsets of 100
    // and 50 pixels.
    EXPECT_EQ(first[1].target, QRect(5073, 91, 4635, 6783));
    EXPECT_EQ(second[0].target, QRect(5073, 91, 4635, 6783));
    EXPECT_FALSE(first[0].halfTurn);
    EXPECT_TRUE(second[0].halfTurn && second[1].halfTurn);
    ASSERT_EQ(record.settings.size(), 1u);
    EXPECT_TRUE(record.settings[0] ==
                (JobSettings{QPageLayout::Landscape, QPageSize::A3, QPrinter::DuplexLongSide}));
    EXPECT_EQ(record.closed, record.opened) << "the job context is released";
    EXPECT_EQ(window.result(), QDialog::Accepted);
}

TEST_F(DrukujPrintTest, OneSidedPrintPromptsOnceBetweenTheJobs)
{
    show(3);
    window.cbRotateSecondPage->setChecked(true);
    window.MarginesyComboBox->setCurrentIndex(-1);
    window.SpeedButton[6]->click();  // page 2 down: the edits print, not the stored set
    dialogs.answerMessage(Answer::Ok);
    window.DrukujButtonClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_EQ(messages()[0].text, kPageTurnPrompt);
    EXPECT_EQ(messages()[0].caption, "Druk");
    EXPECT_EQ(messages()[0].icon, MsgIcon::None);
    EXPECT_EQ(messages()[0].buttons, MsgButtons::Ok);
    ASSERT_EQ(record.jobs.size(), 2u);
    EXPECT_EQ(record.jobs[0].name, "TOVRIX 1");
    EXPECT_EQ(record.jobs[1].name, "TOVRIX 2");
    EXPECT_FALSE(record.jobs[1].pages[0].drawn[0].halfTurn);
    // 9, 7, 201, 292 mm at 600 dpi with offsets of 100 and 50 pixels.
    EXPECT_EQ(record.jobs[1].pages[0].drawn[0].target, QRect(112, 115, 4636, 6782));
    EXPECT_EQ(storedChoice(), -1);
}

TEST_F(DrukujPrintTest, FailuresAreShownLoggedAndReleased)
{
    struct Case {
        std::function<void(PrintFaults&)> fault;
        const char* text;
        const char* logName;
        bool choiceSaved;
    };
    const Case cases[] = {
        {[](PrintFaults& f) { f.openFailure = PrintSystem::OpenFailure::NoPrinter; },
         "Błąd otwarcia ustawień drukarki: OpenPrinter()\nError code: 5", "bFunSetPrinterDocProp()",
         false},
        {[](PrintFaults& f) { f.openFailure = PrintSystem::OpenFailure::NoSettings; },
         "Błąd uzyskania aktualnych ustawień drukarki: DocumentProperties()\nError code: 5",
         "bFunSetPrinterDocProp()", false},
        {[](PrintFaults& f) { f.refuseSettings = true; },
         "Błąd zapisu zmienionych ustawień drukarki: DocumentProperties()\nError code: 5",
         "bFunSetPrinterDocProp()", false},
        {[](PrintFaults& f) { f.failStartJob = 1; },
         "Błąd otwarcia nowego dokumentu StartDoc()\nError code: 5", "DrukujButtonClick()", true},
        {[](PrintFaults& f) { f.failStartPage = 2; },
         "Błąd otwarcia nowej strony do druku StartPage()\nError code: 5", "DrukujButtonClick()",
         true},
    };
    show(2);
    window.DuplexComboBox->setCurrentIndex(1);
    for (const Case& c : cases) {
        storeChoice(7);
        system->faults = {};
        c.fault(system->faults);
        dialogs.answerMessage(Answer::Ok);
        window.setResult(0);
        window.DrukujButtonClick();
        EXPECT_EQ(messages().back().text, QString::fromUtf8(c.text));
        EXPECT_EQ(messages().back().caption, "Błąd");
        EXPECT_EQ(logged().back().info, c.text);
        EXPECT_EQ(logged().back().fun, c.logName);
        EXPECT_EQ(storedChoice(), c.choiceSaved ? 0 : 7) << c.text;
        EXPECT_EQ(record.closed, record.opened) << c.text;
        EXPECT_EQ(window.result(), 0) << "the window stays open";
    }
    EXPECT_TRUE(record.jobs.back().aborted);
}

TEST_F(DrukujPrintTest, AMisplacedPageThatWillPrintIsReportedBeforeAnyJob)
{
    show(2);
    window.StronaEdit[1][2]->setText(
        QStringLiteral("9"));  // page 2: right edge left of the left edge
    dialogs.answerMessage(Answer::Ok);
    window.DrukujButtonClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.contains(QStringLiteral("str 2")))
        << messages()[0].text.toStdString();
    EXPECT_TRUE(record.calls.empty());

    window.setPrintJob(1, true, true);
    window.DrukujButtonClick();
    EXPECT_EQ(record.jobs.size(), 1u) << "page 2 does not print in a one-page document";
}

TEST_F(DrukujPrintTest, PrinterSetupReadsTheChoicesBack)
{
    show(2);
    window.printerObject().setPageOrientation(QPageLayout::Portrait);
    dialogs.answerPrinterSetup(false);
    window.btnPrinterSettingsClick();
    EXPECT_EQ(window.PageOrientationComboBox->currentIndex(), 1);

    window.printerObject().setPageOrientation(QPageLayout::Landscape);
    window.printerObject().setPageSize(QPageSize(QPageSize::A3));
    window.PageOrientationComboBox->setCurrentIndex(1);
    dialogs.answerPrinterSetup(true);
    window.btnPrinterSettingsClick();
    EXPECT_EQ(window.PageOrientationComboBox->currentIndex(), 0);
    EXPECT_EQ(window.PageSizeComboBox->currentIndex(), 0);
}

// "Ustawienia druku" sets the printer up in Polish and prints nothing: OK applies the paper,
// orientation and two-sided mode to the printer object, "Anuluj" leaves it alone.
TEST(PrinterSetupDialogTest, SetsThePrinterUpInPolishAndPrintsNothing)
{
    EnsureApplication();
    QPrinter printer;
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    {
        PrinterSetupDialog dialog(printer);
        EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Ustawienia druku"));
        QStringList labels;
        for (const QLabel* label : dialog.findChildren<QLabel*>())
            labels << label->text();
        labels.sort();
        EXPECT_EQ(labels, (QStringList{
                              "Druk dwustronny:", "Drukarka:", "Orientacja:", "Rozmiar papieru:"}));
        QStringList buttons;
        for (const QPushButton* button : dialog.findChildren<QPushButton*>())
            buttons << button->text();
        buttons.sort();
        EXPECT_EQ(buttons, (QStringList{"Anuluj", "OK"}));
        EXPECT_EQ(dialog.duplexModes()->itemText(0), QStringLiteral("Wyłączony"));

        dialog.paperSizes()->setCurrentIndex(dialog.paperSizes()->findData(int(QPageSize::A3)));
        dialog.orientations()->setCurrentIndex(
            dialog.orientations()->findText(QStringLiteral("pozioma")));
        dialog.reject();
    }
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A4);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Portrait);

    PrinterSetupDialog dialog(printer);
    ASSERT_GE(dialog.paperSizes()->findData(int(QPageSize::A3)), 0);
    dialog.paperSizes()->setCurrentIndex(dialog.paperSizes()->findData(int(QPageSize::A3)));
    dialog.orientations()->setCurrentIndex(
        dialog.orientations()->findText(QStringLiteral("pozioma")));
    dialog.accept();
    EXPECT_EQ(printer.pageLayout().pageSize().id(), QPageSize::A3);
    EXPECT_EQ(printer.pageLayout().orientation(), QPageLayout::Landscape);
}

}  // namespace
