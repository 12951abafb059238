// A document node turned into work on its form: the preview of a click, the print
// window over the rendered pages, and what the calibration window leaves behind.
#include "tests/main/WorkflowTestSupport.h"

#include <QDialog>
#include <QTreeWidgetItem>

#include <algorithm>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "forms/DocumentForm.h"
#include "forms/FormRegistry.h"
#include "forms/Layout.h"
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
        click(c.label.isEmpty() ? studentNode("Adamski Piotr")
                                : documentNode("Adamski Piotr", c.label));
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
    printWindow->setPrintSystem(
        std::make_unique<RecordingPrintSystem>(record, QStringList{"Biuro"}));

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
    EXPECT_TRUE(
        messages()[0].text.startsWith("Błąd podczas próby wczytania danych kalibracji.\n\n"));
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

TEST_F(DispatchTest, EveryFormTheCatalogueNamesIsARegisteredForm)
{
    std::set<std::string_view> named;
    for (const DocumentLabel& row : DocumentLabels())
        if (!row.label.empty())
            named.insert(row.formClass);
    for (const CalibrationPreview& row : CalibrationPreviews())
        named.insert(row.formClass);
    for (const std::string_view form : CalibrationSampleForms())
        named.insert(form);
    EXPECT_EQ(named.size(), 48u);
    for (const std::string_view form : named)
        EXPECT_NE(FormRegistry::instance().form(std::string(form).c_str()), nullptr) << form;
}

// A form's page count and calibration set come from its label's type in documents.json.
TEST(DispatchTableTest, FormsTakePagesAndSetFromTheirLabelsType)
{
    const struct {
        const char* formClass;
        int pages;
        const char* set;
    } rows[] = {
        {"TFSwiad205kl3", 2, "swiad_205"},
        {"TFSwiad205wkl6", 2, "swiad_205w"},
        {"TFSwiad200a", 3, "swiad_200a"},
        {"TFSwiad201c", 4, "swiad_201c"},
        {"TFArkusz280str5", 1, "arkusz_280_str2_5"},
        {"TFArkusz283str3", 1, "arkusz_283_str3"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.formClass);
        const FormSpec* form = LayoutCatalog::builtIn().form(QString::fromUtf8(row.formClass));
        ASSERT_NE(form, nullptr);
        EXPECT_EQ(form->pageCount, row.pages);
        EXPECT_EQ(form->calibrationSet, row.set);
    }
    // The standalone title page has its twin's pages and a set of its own.
    const FormSpec& standalone = LayoutCatalog::builtIn().standaloneForms.front();
    EXPECT_EQ(standalone.className, "TFArkusz280astr1");
    EXPECT_EQ(standalone.pageCount, 1);
    EXPECT_EQ(standalone.calibrationSet, "arkusz_280a_str1");
}

TEST(DispatchTableTest, WindowOrderPlacesEveryFormOnce)
{
    ASSERT_EQ(kWindowOrder.size(), 59u);
    EXPECT_EQ(kWindowOrder[0], "TFGlowna");
    EXPECT_EQ(kWindowOrder[1], "TFDaneUcznia");
    EXPECT_EQ(kWindowOrder[2], "TFSwiad205kl2");
    EXPECT_EQ(kWindowOrder[24], "TFSQLImport");
    EXPECT_EQ(kWindowOrder[37], "TFArkusz280astr1");
    EXPECT_EQ(kWindowOrder[58], "TFArkusz280str1");
    const LayoutCatalog& layouts = LayoutCatalog::builtIn();
    for (const auto* forms : {&layouts.forms, &layouts.standaloneForms})
        for (const FormSpec& form : *forms)
            EXPECT_EQ(
                std::count(kWindowOrder.begin(), kWindowOrder.end(), form.className.toStdString()),
                1)
                << form.className.toStdString();
}

TEST(DispatchTableTest, SpotChecksOfLabels)
{
    const struct {
        const char* label;
        const char* formClass;
        int type;
        int pages;
        bool defaultA4Portrait;  // A4 portrait preselected, else A3 landscape
    } rows[] = {
        {"ART-II/204/3a świad. szkolne", "TFSwiad204a", 11, 4, true},
        {"ART-II/205/3 świad. klasa I", "TFSwiad205kl1", 12, 2, true},
        {"ART-II/205-w/3 świad. klasa VI wyr.", "TFSwiad205wkl6", 13, 2, true},
        {"ART-II/283/3 arkusz kl. II/III/IV/V", "TFArkusz283str3", 26, 1, true},
        {"ART-II/201-w/3c świad. szkolne z wyr.", "TFSwiad201cw", 6, 4, false},
        {"ART-II/280/3 arkusz klasa II/III", "TFArkusz280str5", 21, 1, true},
        {"ART-II/281/3 świadectwo 201 i 201-w klasa V", "TFArkusz281str6", 29, 1, true},
        {"ART-II/220-w/3 świad. ukończenia", "TFSwiad220w", 17, 3, false},
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

TEST(DispatchTableTest, TreeOrderOfTheFirstChildrenAndTheSeparators)
{
    const auto labels = DocumentLabels();
    ASSERT_EQ(labels.size(), 55u);
    EXPECT_EQ(labels[0].label, "ART-II/200/3a świad. kl. I");
    EXPECT_EQ(labels[1].label, "ART-II/200/3 świad. kl. II-III");
    EXPECT_EQ(labels[3].label, "ART-II/201/3b świad. szkolne");
    EXPECT_EQ(labels[52].label, "ART-II/283/3 arkusz kl. V/VI");
    std::vector<std::size_t> separators;
    for (std::size_t i = 0; i < labels.size(); ++i)
        if (labels[i].label.empty())
            separators.push_back(i);
    EXPECT_EQ(separators, (std::vector<std::size_t>{2, 9, 12, 20, 25, 33, 48}));
    EXPECT_FALSE(labels[53].inTree);
    EXPECT_FALSE(labels[54].inTree);
}

TEST(DispatchTableTest, EveryCertificateSetHasItsTwinAndSheetSetsNone)
{
    const auto names = CalibrationSetNames();
    const std::set<std::string_view> all(names.begin(), names.end());
    for (const CalibrationPreview& row : CalibrationPreviews()) {
        SCOPED_TRACE(row.set);
        EXPECT_TRUE(all.contains(row.set));
        EXPECT_EQ(row.twin.empty(), !IsCertificateType(row.type));
        if (!row.twin.empty()) {
            EXPECT_EQ(row.twin, std::string(row.set) + "_bk");
            EXPECT_TRUE(all.contains(row.twin));
        }
    }
    EXPECT_EQ(FindCalibrationPreview("swiad_201cw_bk")->formClass, "TFSwiad201cw");
    EXPECT_EQ(FindCalibrationPreview("arkusz_280_str2_5")->formClass, "TFArkusz280str2");
}

TEST(DispatchTableTest, SampleFormsAreThePreviewFormsButTheOneWithoutSamples)
{
    const auto samples = CalibrationSampleForms();
    ASSERT_EQ(samples.size(), 29u);
    EXPECT_EQ(samples[0], "TFSwiad204a");
    EXPECT_EQ(samples[2], "TFSwiad205kl1");
    EXPECT_EQ(samples[12], "TFSwiad200");
    EXPECT_EQ(samples[28], "TFArkusz281str2");
    std::set<std::string_view> previews;
    for (const CalibrationPreview& row : CalibrationPreviews())
        previews.insert(row.formClass);
    const std::set<std::string_view> sampled(samples.begin(), samples.end());
    EXPECT_EQ(sampled.size(), 29u);
    previews.erase("TFSwiad205aw");
    EXPECT_EQ(sampled, previews);
}
