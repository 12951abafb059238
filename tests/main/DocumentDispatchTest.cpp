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
