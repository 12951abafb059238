// A document node turned into work on its form: the preview of a click, the print
// window over the rendered pages, and what the calibration window leaves behind.
#include "tests/main/WorkflowTestSupport.h"

#include <QDialog>
#include <QTreeWidgetItem>

#include <filesystem>

#include "forms/DocumentForm.h"
#include "main/Glowna.h"
#include "main/WindowRegistry.h"
#include "render/CalibrationWindow.h"
#include "render/Catalogue.h"
#include "render/DrukujWindow.h"
#include "tests/print/RecordingPrint.h"

class DispatchTest : public WorkflowTest {
protected:
    void SetUp() override
    {
        WorkflowTest::SetUp();
        storeStudent({"Adamski", "Piotr", "111", "mężczyzna", "12"});
        ASSERT_TRUE(window().ReloadStudentsList());
    }
};

TEST_F(DispatchTest, ClickPreviewsTheDocumentOfItsLabel)
{
    struct Case {
        QString label;  // "" = the student node
        int pages;      // what the last render was told
    };
    const Case cases[] = {
        {"ART-II/204/3a świad. szkolne", 4},
        {"", 4},
        {"ART-II/205/3 świad. klasa II", 2},
        {"ART-II/283/3 arkusz kl. I/II", 1},
    };
    for (const Case& c : cases) {
        click(c.label.isEmpty() ? studentNode("Adamski Piotr") : documentNode("Adamski Piotr", c.label));
        EXPECT_EQ(window().PrintJob.pageCount, c.pages) << c.label.toStdString();
        EXPECT_EQ(window().PrintMode, 0);
    }
    EXPECT_TRUE(messages().empty());
}

TEST_F(DispatchTest, PrintOpensThePrintWindowOverTheRenderedDocument)
{
    auto* printWindow = dynamic_cast<TFDrukuj*>(WindowRegistry::instance().window("TFDrukuj"));
    ASSERT_NE(printWindow, nullptr);
    PrintRecord record;
    printWindow->setPrintSystem(std::make_unique<RecordingPrintSystem>(record, QStringList{"Biuro"}));

    click(documentNode("Adamski Piotr", "ART-II/201/3 świad. szkolne"));
    int modeWhileShown = -1;
    dialogs.answerModal([&](QDialog& dialog) {
        EXPECT_EQ(&dialog, printWindow);
        modeWhileShown = window().PrintMode;
        EXPECT_EQ(printWindow->PageCount, 3);
        EXPECT_FALSE(printWindow->DefaultA4);
        EXPECT_FALSE(printWindow->DefaultPortrait);
        dialog.reject();
    });
    window().DrukujToolButtonClick();
    EXPECT_EQ(modeWhileShown, 1);
    EXPECT_EQ(window().PrintMode, 0);
}

TEST_F(DispatchTest, FailedRenderOpensNoPrintWindow)
{
    click(documentNode("Adamski Piotr", "ART-II/205/3 świad. klasa II"));
    std::filesystem::remove(folders.dataFile("vlm_kalibracja.sqset"));
    dialogs.answerMessage(Answer::Ok);
    window().DrukujToolButtonClick();
    ASSERT_EQ(messages().size(), 1u);
    EXPECT_TRUE(messages()[0].text.startsWith("Błąd podczas próby wczytania danych kalibracji.\n\n"));
    EXPECT_TRUE(dialogs.requestsOf(DialogKind::Modal).empty());
    EXPECT_EQ(window().PrintMode, 0);
}

TEST_F(DispatchTest, ClosedCalibrationWindowLeavesTheStudentsValuesInTheForms)
{
    const QString label = "ART-II/205/3 świad. klasa II";
    click(documentNode("Adamski Piotr", label));
    std::vector<FieldRecord> before;
    form("TFSwiad205kl1").CollectFields(before);

    std::vector<FieldRecord> whileShown;
    dialogs.answerModal([&](QDialog& dialog) {
        form("TFSwiad205kl1").CollectFields(whileShown);
        Press(dialog, "Zamknij");
    });
    window().Formatowaniewiadectwapodstawowe1Click();

    EXPECT_NE(whileShown, before);  // the window's sample texts
    std::vector<FieldRecord> after;
    form("TFSwiad205kl1").CollectFields(after);
    EXPECT_EQ(after, before);
    EXPECT_EQ(window().SelectedNodeText(0), label);
    EXPECT_EQ(window().SelectedNodeText(1), "Adamski Piotr");
}

TEST(DispatchTableTest, EachLabelNamesItsFormTypePagesAndPrintChoices)
{
    const struct {
        const char* label;
        const char* formClass;
        int type;
        int pages;
        bool defaultA4Portrait;   // A4 portrait preselected, else A3 landscape
    } rows[] = {
        {"ART-II/204/3a świad. szkolne", "TFSwiad204a", 11, 4, true},
        {"ART-II/205/3 świad. klasa I", "TFSwiad205kl1", 12, 2, true},
        {"ART-II/205-w/3 świad. klasa I wyr.", "TFSwiad205wkl1", 13, 2, true},
        {"ART-II/205/3 świad. klasa II", "TFSwiad205kl2", 12, 2, true},
        {"ART-II/205-w/3 świad. klasa II wyr.", "TFSwiad205wkl2", 13, 2, true},
        {"ART-II/205/3 świad. klasa III", "TFSwiad205kl3", 12, 2, true},
        {"ART-II/205-w/3 świad. klasa III wyr.", "TFSwiad205wkl3", 13, 2, true},
        {"ART-II/205/3 świad. klasa IV", "TFSwiad205kl4", 12, 2, true},
        {"ART-II/205-w/3 świad. klasa IV wyr.", "TFSwiad205wkl4", 13, 2, true},
        {"ART-II/205/3 świad. klasa V", "TFSwiad205kl5", 12, 2, true},
        {"ART-II/205-w/3 świad. klasa V wyr.", "TFSwiad205wkl5", 13, 2, true},
        {"ART-II/205/3 świad. klasa VI", "TFSwiad205kl6", 12, 2, true},
        {"ART-II/205-w/3 świad. klasa VI wyr.", "TFSwiad205wkl6", 13, 2, true},
        {"ART-II/205/3a świad. klasa I", "TFSwiad205a", 14, 3, true},
        {"ART-II/205-w/3a świad. klasa I z wyr.", "TFSwiad205aw", 15, 3, true},
        {"ART-II/221/3 świad. ukończenia", "TFSwiad221", 18, 2, true},
        {"ART-II/221-w/3 świad. ukończenia z wyr.", "TFSwiad221w", 19, 2, true},
        {"ART-II/283/3 arkusz str. tytułowa", "TFArkusz283str1", 24, 1, true},
        {"ART-II/283/3 arkusz kl. I/II", "TFArkusz283str2", 25, 1, true},
        {"ART-II/283/3 arkusz kl. II/III/IV/V", "TFArkusz283str3", 26, 1, true},
        {"ART-II/283/3 arkusz kl. V/VI", "TFArkusz283str4", 27, 1, true},
        {"ART-II/200/3 świad. kl. II-III", "TFSwiad200", 0, 2, true},
        {"ART-II/200/3a świad. kl. I", "TFSwiad200a", 1, 3, true},
        {"ART-II/201/3 świad. szkolne", "TFSwiad201", 2, 3, false},
        {"ART-II/201-w/3 świad. szkolne z wyr.", "TFSwiad201w", 7, 3, false},
        {"ART-II/201/3b świad. szkolne", "TFSwiad201b", 3, 3, false},
        {"ART-II/201-w/3b świad. szkolne z wyr.", "TFSwiad201bw", 4, 3, false},
        {"ART-II/201/3c świad. szkolne", "TFSwiad201c", 5, 4, false},
        {"ART-II/201-w/3c świad. szkolne z wyr.", "TFSwiad201cw", 6, 4, false},
        {"ART-II/280/3 arkusz str. tytułowa", "TFArkusz280str1", 20, 1, true},
        {"ART-II/280/3 arkusz klasa I", "TFArkusz280str2", 21, 1, true},
        {"ART-II/280/3 arkusz klasa II", "TFArkusz280str3", 21, 1, true},
        {"ART-II/280/3 arkusz klasa III", "TFArkusz280str4", 21, 1, true},
        {"ART-II/280/3 arkusz klasa II/III", "TFArkusz280str5", 21, 1, true},
        {"ART-II/280/3 arkusz klasa IV/V", "TFArkusz280str6", 22, 1, true},
        {"ART-II/280/3 arkusz klasa V/VI", "TFArkusz280str7", 23, 1, true},
        {"ART-II/281/3 arkusz str. tytułowa", "TFArkusz281str1", 28, 1, true},
        {"ART-II/281/3 świadectwo 201 i 201-w, klasa I", "TFArkusz281str2", 29, 1, true},
        {"ART-II/281/3 świadectwo 201 i 201-w, klasa II", "TFArkusz281str3", 29, 1, true},
        {"ART-II/281/3 świadectwo 203 i 203-w, klasa III", "TFArkusz281str4", 29, 1, true},
        {"ART-II/281/3 świadectwo 201 i 201-w, klasa IV", "TFArkusz281str5", 29, 1, true},
        {"ART-II/281/3 świadectwo 201 i 201-w klasa V", "TFArkusz281str6", 29, 1, true},
        {"ART-II/281/3 świadectwo 204, klasa VI", "TFArkusz281str7", 29, 1, true},
        {"ART-II/220/3 świad. ukończenia", "TFSwiad220", 16, 3, false},
        {"ART-II/220-w/3 świad. ukończenia", "TFSwiad220w", 17, 3, false},
        {"ART-II/203/3 świadectwo szkolne", "TFSwiad203", 8, 3, false},
        {"ART-II/203-w/3 świadectwo szkolne", "TFSwiad203w", 9, 3, false},
        {"ART-II/204/3 świadectwo szkolne", "TFSwiad204", 10, 3, false},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.label);
        const DocumentLabel* found = FindDocumentLabel(row.label);
        ASSERT_NE(found, nullptr);
        EXPECT_EQ(found->formClass, row.formClass);
        EXPECT_EQ(found->type, row.type);
        EXPECT_EQ(found->pages, row.pages);
        EXPECT_EQ(found->defaultA4Portrait, row.defaultA4Portrait);
    }
}
