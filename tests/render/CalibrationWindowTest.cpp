// The calibration window over fixture forms, a temporary user calibration file and the
// factory copy in the temporary program folder.
#include "render/CalibrationHost.h"
#include "render/CalibrationWindow.h"
#include "tests/render/RenderFixtures.h"
#include "tests/support/TempFolders.h"
#include "platform/ScriptedDialogs.h"
#include "store/Calibration.h"
#include "store/ErrorStream.h"
#include "store/Logs.h"

#include <QComboBox>
#include <QLineEdit>
#include <QCheckBox>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

class FixtureHost : public CalibrationHost, public FixtureMainWindow {
public:
    FixtureHost() { printJob = {7, true, true}; }
    RenderContext renderContext() override { return context(); }
    void setPrintNoDots(bool checked) override
    {
        options.printNoDots = checked;
        noDotsCalls.push_back(checked);
    }
    const RenderSource* documentForm(std::string_view formClass) override
    {
        return formClass == "TFSwiad205kl1" || formClass == "TFArkusz283str2" ? &form : nullptr;
    }
    void fillSampleData(std::string_view formClass) override { samples.emplace_back(formClass); }
    void ReloadStudentsList() override { ++reloads; }

    FixtureForm form;
    std::vector<bool> noDotsCalls;
    std::vector<std::string> samples;
    int reloads = 0;
};

class CalibrationWindowTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    void SetUp() override
    {
        dialogs.setFailureHandler([](const std::string& message) { FAIL() << message; });
        host.form.text("ZMIENNA_Klasa_STR1_DATA_EDIT", "II")
            .text("STALY_ImieNazwisko_STR1_DATA_LABEL", "Imię");
        WriteCalibrationSet(user(), "swiad_205",
                            {
                                Row("STALY_ImieNazwisko_STR1_DATA_LABEL", 10, 10, 300, 40),
                                Row("ZMIENNA_Klasa_STR1_DATA_EDIT", 100, 200, 300, 230),
                                Row("GRAFIKA: ORZELEK", 380, 60, 505, 190),
                            });
        WriteCalibrationSet(user(), "swiad_205_bk",
                            {Row("ZMIENNA_Klasa_STR1_DATA_EDIT", 0, 0, 100, 30)});
        WriteCalibrationSet(user(), "arkusz_283_str2", {Row("STALY_X_DATA_LABEL", 0, 0, 100, 30)});
        std::filesystem::copy_file(user(), folders.programFile("vlm_kalibracja.sqset"));
    }

    std::string user() const { return folders.dataFile("vlm_kalibracja.sqset"); }

    std::vector<CalibrationRecord> stored(const std::string& set)
    {
        ErrorStream errors;
        std::vector<CalibrationRecord> rows;
        EXPECT_TRUE(bFunCalibLoadData(errors, user(), set, rows)) << errors.str();
        return rows;
    }

    std::vector<std::string> items(QComboBox* box) const
    {
        std::vector<std::string> found;
        for (int i = 0; i < box->count(); ++i)
            found.push_back(box->itemText(i).toStdString());
        return found;
    }

    TempFolders folders;
    ScriptedDialogs dialogs;
    FixtureHost host;
    TFKalibracja window{host};
};

TEST_F(CalibrationWindowTest, FirstShowingFillsSamplesListsTheFileAndPreviewsWithoutAnyMessage)
{
    window.FormShow();
    EXPECT_TRUE(dialogs.requests().empty());
    ASSERT_EQ(host.samples.size(), 29u);
    EXPECT_EQ(host.samples.front(), "TFSwiad204a");
    EXPECT_EQ(host.samples.back(), "TFArkusz281str2");
    EXPECT_EQ(items(window.TypSwiadectwaComboBox),
              (std::vector<std::string>{"swiad_205", "swiad_205_bk", "arkusz_283_str2"}));
    EXPECT_EQ(window.TypSwiadectwaComboBox->currentText(), "swiad_205");
    EXPECT_EQ(items(window.VariableComboBox),
              (std::vector<std::string>{"ZMIENNA_Klasa_STR1_DATA_EDIT"}));
    EXPECT_EQ(window.X1Edit->text(), "100");
    EXPECT_EQ(window.Y2Edit->text(), "230");
    EXPECT_EQ(host.printJob.pageCount, 2);
    EXPECT_FALSE(host.printJob.defaultA4);
    EXPECT_FALSE(host.printJob.defaultPortrait);
    const auto rects = Rects(host.pages[0]);
    ASSERT_EQ(rects.size(), 1u) << "the selected row is outlined";
    EXPECT_EQ(rects[0].color, QColor(Qt::red));

    window.FormShow();
    EXPECT_TRUE(dialogs.requests().empty()) << "a later showing reapplies the file's set list";
    EXPECT_EQ(host.samples.size(), 58u);
}

TEST_F(CalibrationWindowTest, BasicModeListsVariablesAdvancedModeEverything)
{
    window.FormShow();
    window.AdvancedMode = 1;
    window.TypSwiadectwaComboBoxChange();
    EXPECT_EQ(items(window.VariableComboBox),
              (std::vector<std::string>{"STALY_ImieNazwisko_STR1_DATA_LABEL",
                                        "ZMIENNA_Klasa_STR1_DATA_EDIT", "GRAFIKA: ORZELEK"}));
    window.AdvancedMode = 0;
    window.TypSwiadectwaComboBox->setCurrentIndex(2);
    window.TypSwiadectwaComboBoxChange();
    EXPECT_TRUE(items(window.VariableComboBox).empty());
    EXPECT_EQ(window.X1Edit->text(), "10") << "the controls keep the previous row";
}

TEST_F(CalibrationWindowTest, TheDotsOptionFollowsThePreviewedSet)
{
    window.PreviewCalibrationType("swiad_203_bk");
    window.PreviewCalibrationType("arkusz_280_str6");
    window.PreviewCalibrationType("arkusz_283_str2");
    window.PreviewCalibrationType("swiad_203_bk");
    window.PreviewCalibrationType("arkusz_283_str2");
    window.PreviewCalibrationType("arkusz_280a_str1");
    EXPECT_EQ(host.noDotsCalls, (std::vector<bool>{true, false, true}));
    EXPECT_TRUE(host.options.printNoDots);
}

TEST_F(CalibrationWindowTest, ButtonsShiftTheEditsOnlyAndZastosujWritesTheRow)
{
    window.FormShow();
    window.X1Edit->setText("0");
    window.X2Edit->setText("100");
    window.LeftSpeedButtonClick();
    EXPECT_EQ(window.X1Edit->text(), "-1");
    EXPECT_EQ(window.X2Edit->text(), "99");
    window.UpFontSizeSpeedButtonClick();
    EXPECT_EQ(window.FontSizeEdit->text(), "13");
    EXPECT_EQ(stored("swiad_205")[1].x1, 100) << "nothing reaches the file before Zastosuj";

    window.SaveButtonClick();
    const CalibrationRecord row = stored("swiad_205")[1];
    EXPECT_EQ(row.x1, -1);
    EXPECT_EQ(row.x2, 99);
    EXPECT_EQ(row.font_size, 13);
    EXPECT_EQ(window.VariableComboBox->currentText(), "ZMIENNA_Klasa_STR1_DATA_EDIT");

    window.X1EditKeyDown(39);
    EXPECT_EQ(stored("swiad_205")[1].x1, 0) << "the right arrow moves and applies at once";
    window.X1EditKeyDown(65);
    EXPECT_EQ(stored("swiad_205")[1].x1, 0);
}

TEST_F(CalibrationWindowTest, ArrowKeysTypedIntoX1MoveAndApplyWhateverModifierIsHeld)
{
    window.FormShow();
    struct Case {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        int x1, y1;
    };
    const Case cases[] = {
        {Qt::Key_Right, Qt::NoModifier, 101, 200},     {Qt::Key_Down, Qt::ShiftModifier, 101, 201},
        {Qt::Key_Left, Qt::ControlModifier, 100, 201}, {Qt::Key_Up, Qt::NoModifier, 100, 200},
        {Qt::Key_A, Qt::NoModifier, 100, 200},
    };
    for (const Case& c : cases) {
        QKeyEvent press(QEvent::KeyPress, c.key, c.modifiers);
        QCoreApplication::sendEvent(window.X1Edit, &press);
        const CalibrationRecord row = stored("swiad_205")[1];
        EXPECT_EQ(row.x1, c.x1) << "key " << c.key;
        EXPECT_EQ(row.y1, c.y1) << "key " << c.key;
    }
}

TEST_F(CalibrationWindowTest, AFileThatIsNoDatabaseIsReportedNotThrown)
{
    window.FormShow();
    const std::vector<std::string> rows = items(window.VariableComboBox);
    ASSERT_FALSE(rows.empty());
    {
        QFile file(QString::fromStdString(user()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(4096, 'x'));
    }
    dialogs.answerMessage(Answer::Ok);
    EXPECT_NO_THROW(window.TypSwiadectwaComboBoxChange());
    ASSERT_EQ(dialogs.requests().size(), 1u);
    const std::string prefix =
        "Błąd podczas próby wczytania zmiennych kalibracji.\n\nSQLite exception: \n";
    const std::string text = dialogs.requests()[0].text.toStdString();
    EXPECT_EQ(text.substr(0, prefix.size()), prefix);
    EXPECT_GT(text.size(), prefix.size()) << "the result code's name follows";
    EXPECT_EQ(items(window.VariableComboBox), rows) << "the row list keeps its entries";
}

TEST_F(CalibrationWindowTest, AnAlignmentOutOfRangeShowsNoEntryAndIsStoredAsMinusOne)
{
    CalibrationRecord odd = Row("ZMIENNA_Klasa_STR1_DATA_EDIT", 100, 200, 300, 230, 12, 5);
    WriteCalibrationSet(user(), "swiad_205", {odd});
    window.FormShow();
    window.TypSwiadectwaComboBox->setCurrentIndex(
        window.TypSwiadectwaComboBox->findText("swiad_205"));
    window.TypSwiadectwaComboBoxChange();
    EXPECT_EQ(window.AdjustmentComboBox->currentIndex(), -1);
    window.SaveButtonClick();
    EXPECT_EQ(stored("swiad_205")[0].font_align, -1);
}

TEST_F(CalibrationWindowTest, AnInvalidNumberEndsZastosujInTheErrorBox)
{
    window.FormShow();
    window.FontSizeEdit->setText("");
    window.X1Edit->setText("5");
    dialogs.answerMessage(Answer::Ok);
    window.SaveButtonClick();
    ASSERT_EQ(dialogs.requests().size(), 1u);
    EXPECT_EQ(dialogs.requests()[0].text, "'' is not a valid integer value");
    EXPECT_EQ(dialogs.requests()[0].icon, MsgIcon::Error);
    EXPECT_EQ(stored("swiad_205")[1].x1, 100);
}

TEST_F(CalibrationWindowTest, RestoreAsksThenCopiesTheFactoryFileAndReportsAFailedCopy)
{
    window.FormShow();
    window.SaveButtonClick();
    window.X1Edit->setText("1");
    window.SaveButtonClick();
    ASSERT_EQ(stored("swiad_205")[1].x1, 1);

    dialogs.answerMessage(Answer::No);
    window.PrzywrocUstawieniaButtonClick();
    EXPECT_EQ(dialogs.requests()[0].text, "Czy na pewno chcesz przywrócić oryginalne ustawienia ?");
    EXPECT_EQ(dialogs.requests()[0].caption, "Przywracanie");
    EXPECT_EQ(dialogs.requests()[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(dialogs.requests()[0].icon, MsgIcon::None);
    EXPECT_EQ(window.X1Edit->text(), "1") << "No still reloads the set";

    // A read-only factory copy still gives the user a copy the user may change.
    std::filesystem::permissions(folders.programFile("vlm_kalibracja.sqset"),
                                 std::filesystem::perms(0444));
    dialogs.answerMessage(Answer::Yes);
    window.PrzywrocUstawieniaButtonClick();
    EXPECT_EQ(stored("swiad_205")[1].x1, 100);
    EXPECT_EQ(window.X1Edit->text(), "100");
    EXPECT_NE(std::filesystem::status(user()).permissions() & std::filesystem::perms::owner_write,
              std::filesystem::perms::none);

    std::filesystem::remove(folders.programFile("vlm_kalibracja.sqset"));
    dialogs.answerMessage(Answer::Yes).answerMessage(Answer::Ok);
    window.PrzywrocUstawieniaButtonClick();
    ASSERT_EQ(dialogs.requests().size(), 4u);
    const std::string expected =
        "Błąd podczas próby przywrócenia oryginalnego pliku kalibracji.\nŹródło: " +
        folders.programFile("vlm_kalibracja.sqset") + "\nCel: " + user();
    EXPECT_EQ(dialogs.requests()[3].text.toStdString(), expected);
    EXPECT_EQ(dialogs.requests()[3].caption, "Błąd");
    ErrorStream errors;
    std::vector<LogRecord> log;
    bFunSqlGetLogsData(errors, log);
    ASSERT_FALSE(log.empty());
    EXPECT_EQ(log.back().fun, "PrzywrocUstawieniaButtonClick()");
    EXPECT_EQ(log.back().info, expected);
}

TEST_F(CalibrationWindowTest, ClosingReloadsTheStudentsAndBlanksPreviewPagesOneAndTwo)
{
    window.FormShow();
    host.view.calls.clear();
    window.CloseButtonClick();
    EXPECT_EQ(host.reloads, 1);
    std::vector<int> blanked;
    for (const PreviewCall& call : host.view.calls)
        blanked.push_back(call.page);
    EXPECT_EQ(blanked, (std::vector<int>{1, 2}));
    const QImage& picture = host.view.pictures[1];
    EXPECT_EQ(picture.pixel(10, 10), qRgb(255, 255, 255));
    EXPECT_EQ(picture.pixel(0, 0), qRgb(0, 0, 0));
}

}  // namespace
