// Composing a document from fixture calibration sets in a temporary user calibration file.
#include "render/Catalogue.h"
#include "render/RenderPages.h"
#include "tests/render/RenderFixtures.h"
#include "tests/support/TempFolders.h"
#include "platform/ScriptedDialogs.h"
#include "store/ErrorStream.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

namespace {

class RenderPagesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    void SetUp() override
    {
        dialogs.setFailureHandler([](const std::string& message) { FAIL() << message; });
    }

    std::string calibrationFile() const { return folders.dataFile("vlm_kalibracja.sqset"); }

    void set(const std::string& name, const std::vector<CalibrationRecord>& rows)
    {
        WriteCalibrationSet(calibrationFile(), name, rows);
    }

    bool render(int type, RenderMode mode = RenderPreview, int pageCount = 2)
    {
        RenderContext c = window.context();
        return RenderPages(c, form, mode, type, pageCount, true, true);
    }

    std::vector<QString> texts(int page) const
    {
        // A dot leader reads as one "." per dot, in drawing order.
        std::vector<QString> found;
        for (const PageItem& item : pages[static_cast<std::size_t>(page - 1)].items()) {
            if (const auto* run = std::get_if<TextRun>(&item))
                found.push_back(run->text);
            else if (const auto* dots = std::get_if<DotRow>(&item))
                found.insert(found.end(), static_cast<std::size_t>(dots->count),
                             QStringLiteral("."));
        }
        return found;
    }

    std::vector<PreviewCall> callsOf(const std::string& what) const
    {
        std::vector<PreviewCall> found;
        for (const PreviewCall& call : view.calls) {
            if (call.what == what)
                found.push_back(call);
        }
        return found;
    }

    TempFolders folders;
    ScriptedDialogs dialogs;
    FixtureMainWindow window;
    PageImages& pages = window.pages;
    std::vector<CalibrationRecord>& list = window.list;
    std::uint8_t& printMode = window.printMode;
    PrintJobFields& printJob = window.printJob;
    RecordingPreview& view = window.view;
    DisplayOptions& options = window.options;
    FixtureForm form;
};

TEST_F(RenderPagesTest, MemoRowsCountLinesPerMemoAndRestartAfterAnotherMemo)
{
    form.memo("ZMIENNA_A_STR2_DATA_MEMO", {"a1", "a2"}).memo("ZMIENNA_B_STR2_DATA_MEMO", {"b1"});
    set("swiad_205",
        {
            Row("ZMIENNA_A_STR2_DATA_MEMO01", 10, 100, 800, 130),
            Row("ZMIENNA_A_STR2_DATA_MEMO02", 10, 130, 800, 160),
            Row("ZMIENNA_B_STR2_DATA_MEMO01", 10, 200, 800, 230),
            Row("ZMIENNA_A_STR2_DATA_MEMO03", 10, 300, 800, 330),
            Row("ZMIENNA_C_STR2_DATA_MEMO01", 10, 400, 800, 430),  // no such memo: skipped
            Row("ZMIENNA_B_STR2_DATA_MEMO02", 10, 500, 800, 530),
            Row("ZMIENNA_B_STR2_DATA_MEMO03", 10, 600, 800, 630),
            Row("ZMIENNA_B_STR1_DATA_MEMO01", 10, 700, 800, 730),  // no memo on page 1
        });
    options.strikeEmpty = true;
    ASSERT_TRUE(render(12));
    EXPECT_EQ(texts(2), (std::vector<QString>{"a1", "a2", "b1", "a1", "b1"}));
    const auto lines = Lines(pages[1]);
    ASSERT_EQ(lines.size(), 1u) << "the memo's missing third line is an empty text";
    EXPECT_EQ(lines[0].from, QPoint(10, 620));
    EXPECT_TRUE(pages[0].isEmpty());
}

TEST_F(RenderPagesTest, ClassificationOfCertificateAndSheetRows)
{
    form.text("ZMIENNA_Imie_STR1_DATA_EDIT", "Jan")
        .text("STALY_Tytul_STR3_DATA_LABEL", "ŚWIADECTWO")
        .text("ZMIENNA_Klasa_DATA_EDIT", "II")
        .text("ZMIENNA_Ocena_STR2_DATA_COMBOBOX", "dobry");
    const std::vector<CalibrationRecord> rows = {
        Row("zmienna_imie_STR1_DATA_EDIT", 10, 10, 300, 40),   // component look-up ignores case
        Row("ZMIENNA_Imie_str1_DATA_EDIT", 10, 50, 300, 80),   // the literal does not: not drawn
        Row("STALY_Tytul_STR3_DATA_LABEL", 10, 90, 300, 120),  // page 3 of a 2-page type
        Row("ZMIENNA_Klasa_DATA_EDIT", 10, 130, 300, 160),     // no page part
        Row("ZMIENNA_Ocena_STR2_DATA_COMBOBOX", 10, 170, 300, 200),
        Row("ZMIENNA_Brak_STR1_DATA_EDIT", 10, 210, 300, 240),  // the form has no such field
        Row("ZMIENNA_Imie_STR1_LINIA_Z_KROPEK", 10, 250, 40, 280),
        Row("GRAFIKA: RAMKA 1", 5, 5, 880, 1300),
    };
    set("swiad_205", rows);
    set("arkusz_283_str2", rows);

    ASSERT_TRUE(render(12));
    EXPECT_EQ(texts(1), (std::vector<QString>{"Jan", ".", ".", ".", ".", "."}));
    EXPECT_EQ(texts(2), (std::vector<QString>{"dobry"}));
    EXPECT_EQ(texts(3), (std::vector<QString>{"ŚWIADECTWO"}));
    EXPECT_TRUE(Rects(pages[0]).empty()) << "no frames on certificates";

    ASSERT_TRUE(render(25, RenderPreview, 1));
    // Sheets look for the endings without a page part, so the lower-case "str1" row is drawn too.
    EXPECT_EQ(texts(1), (std::vector<QString>{"Jan", "Jan", "ŚWIADECTWO", "II", "dobry", ".", ".",
                                              ".", ".", "."}));
    EXPECT_EQ(Rects(pages[0]).size(), 1u);
    for (int page = 2; page <= 4; ++page)
        EXPECT_TRUE(pages[static_cast<std::size_t>(page - 1)].isEmpty());
}

TEST_F(RenderPagesTest, PageOneEndingsAreLeftOutWhenEmpty)
{
    options.strikeEmpty = true;
    set("swiad_200", {
                         Row("ZMIENNA_SzkolaWE_STR1_DATA_EDIT", 10, 10, 300, 40),
                         Row("ZMIENNA_UrWE_STR1_DATA_EDIT", 10, 50, 300, 80),
                         Row("ZMIENNA_Inne_STR1_DATA_EDIT", 10, 90, 300, 120),
                     });
    form.text("ZMIENNA_SzkolaWE_STR1_DATA_EDIT", "")
        .text("ZMIENNA_UrWE_STR1_DATA_EDIT", "")
        .text("ZMIENNA_Inne_STR1_DATA_EDIT", "");
    ASSERT_TRUE(render(0));
    ASSERT_EQ(Lines(pages[0]).size(), 1u) << "only the ordinary empty field is struck out";
    EXPECT_EQ(Lines(pages[0])[0].from.y(), 110);

    form.text("ZMIENNA_SzkolaWE_STR1_DATA_EDIT", "we").text("ZMIENNA_UrWE_STR1_DATA_EDIT", "w");
    ASSERT_TRUE(render(0));
    EXPECT_EQ(texts(1), (std::vector<QString>{"we", "w"}));
}

TEST_F(RenderPagesTest, TheTwinWithoutDotsIsTakenForCertificatesOnly)
{
    form.text("A_STR1_DATA_LABEL", "a").text("B_STR1_DATA_LABEL", "b").text("C_DATA_LABEL", "c");
    set("swiad_203", {Row("A_STR1_DATA_LABEL", 0, 0, 100, 30)});
    set("swiad_203_bk", {Row("B_STR1_DATA_LABEL", 0, 0, 100, 30)});
    set("arkusz_283_str1", {Row("C_DATA_LABEL", 0, 0, 100, 30)});
    options.printNoDots = true;
    ASSERT_TRUE(render(8));
    EXPECT_EQ(texts(1), (std::vector<QString>{"b"}));
    ASSERT_TRUE(render(24));
    EXPECT_EQ(texts(1), (std::vector<QString>{"c"}));
    options.printNoDots = false;
    ASSERT_TRUE(render(8));
    EXPECT_EQ(texts(1), (std::vector<QString>{"a"}));
}

TEST_F(RenderPagesTest, AnUnknownTypeChangesNothingTheUserSees)
{
    form.text("A_STR1_DATA_LABEL", "a");
    set("swiad_200", {Row("A_STR1_DATA_LABEL", 0, 0, 100, 30)});
    ASSERT_TRUE(render(0, RenderPrint, 2));
    view.calls.clear();
    list.push_back(Row("left over", 0, 0, 1, 1));

    dialogs.answerMessage(Answer::Ok);
    EXPECT_FALSE(render(34, RenderPreview, 3));
    ASSERT_EQ(dialogs.requests().size(), 1u);
    EXPECT_EQ(dialogs.requests()[0].text, "Niepoprawny typ świadectwa");
    EXPECT_EQ(dialogs.requests()[0].caption, "Błąd");
    EXPECT_EQ(dialogs.requests()[0].icon, MsgIcon::Warning);
    EXPECT_EQ(texts(1), (std::vector<QString>{"a"})) << "the pages keep the last document";
    EXPECT_EQ(printMode, 1);
    EXPECT_EQ(printJob.pageCount, 2);
    EXPECT_TRUE(list.empty());
    EXPECT_TRUE(view.calls.empty());
}

TEST_F(RenderPagesTest, AFailedLoadLeavesEmptyPagesAndKeepsPrintMode)
{
    form.text("A_STR1_DATA_LABEL", "a");
    set("swiad_200", {Row("A_STR1_DATA_LABEL", 0, 0, 100, 30)});
    ASSERT_TRUE(render(0, RenderPrint, 2));
    view.calls.clear();

    dialogs.answerMessage(Answer::Ok);
    EXPECT_FALSE(render(2, RenderPreview, 3));
    ASSERT_EQ(dialogs.requests().size(), 1u);
    EXPECT_EQ(
        dialogs.requests()[0].text,
        "Błąd podczas próby wczytania danych kalibracji.\n\nTablica nie istnieje: \nswiad_201");
    EXPECT_EQ(dialogs.requests()[0].icon, MsgIcon::Error);
    EXPECT_EQ(dialogs.requests()[0].caption, "Błąd");
    for (const PageImage& page : pages)
        EXPECT_TRUE(page.isEmpty());
    EXPECT_EQ(printMode, 1);
    EXPECT_EQ(printJob.pageCount, 2);
    EXPECT_TRUE(view.calls.empty()) << "the preview keeps the previous document";
}

TEST_F(RenderPagesTest, AFileThatIsNoDatabaseIsAFailedLoadNotAnException)
{
    form.text("A_STR1_DATA_LABEL", "a");
    set("swiad_200", {Row("A_STR1_DATA_LABEL", 0, 0, 100, 30)});
    ASSERT_TRUE(render(0, RenderPrint, 2));
    {
        QFile file(QString::fromStdString(calibrationFile()));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
        file.write(QByteArray(4096, 'x'));
    }
    dialogs.answerMessage(Answer::Ok);
    bool composed = true;
    EXPECT_NO_THROW(composed = render(0, RenderPreview, 3));
    EXPECT_FALSE(composed);
    ASSERT_EQ(dialogs.requests().size(), 1u);
    const std::string prefix =
        "Błąd podczas próby wczytania danych kalibracji.\n\nSQLite exception: \n";
    const std::string text = dialogs.requests()[0].text.toStdString();
    EXPECT_EQ(text.substr(0, prefix.size()), prefix);
    EXPECT_GT(text.size(), prefix.size()) << "the result code's name follows";
    EXPECT_EQ(printMode, 1);
    EXPECT_EQ(printJob.pageCount, 2);
}

TEST_F(RenderPagesTest, PrintModeAndThePrintWindowFieldsFollowEveryLoadedRender)
{
    set("swiad_201", {});
    RenderContext c = window.context();
    ASSERT_TRUE(RenderPages(c, form, RenderPrint, 2, 3, false, true));
    EXPECT_EQ(printMode, 1);
    EXPECT_EQ(printJob.pageCount, 3);
    EXPECT_FALSE(printJob.defaultA4);
    EXPECT_TRUE(printJob.defaultPortrait);
    EXPECT_TRUE(view.calls.empty()) << "printing leaves the preview alone";

    ASSERT_TRUE(RenderPages(c, form, RenderPreview, 2, 4, true, false));
    EXPECT_EQ(printMode, 0);
    EXPECT_EQ(printJob.pageCount, 4);
    EXPECT_EQ(callsOf("picture").size(), 4u) << "an empty set shows the backgrounds alone";
}

TEST_F(RenderPagesTest, PreviewTabsAndBackgroundsPerType)
{
    struct Case {
        int type;
        std::vector<int> visible;  // TabSheet2..4 shown (1) or hidden (0)
        std::size_t pictures;
    };
    const Case cases[] = {
        {12, {1, 0, 0}, 4}, {1, {1, 1, 0}, 4},  {5, {1, 1, 1}, 4},  {11, {1, 1, 1}, 4},
        {18, {1, 0, 0}, 4}, {16, {1, 1, 0}, 4}, {20, {0, 0, 0}, 1}, {29, {0, 0, 0}, 1},
    };
    for (const Case& c : cases) {
        set(RenderSetName(c.type, false), {});
        view.calls.clear();
        ASSERT_TRUE(render(c.type));
        std::vector<int> visible;
        for (const PreviewCall& call : callsOf("visible"))
            visible.push_back(call.value);
        EXPECT_EQ(visible, c.visible) << "type " << c.type;
        EXPECT_EQ(callsOf("picture").size(), c.pictures) << "type " << c.type;
        EXPECT_TRUE(callsOf("tab").empty()) << "the active tab stays";
    }
}

TEST_F(RenderPagesTest, BackgroundsComeFromTheDataFolderAndAMissingOneIsWhite)
{
    QDir().mkpath(QString::fromStdString(folders.dataFile("grafika")));
    QImage distinction(1031, 1462, QImage::Format_RGB32);
    distinction.fill(Qt::yellow);
    ASSERT_TRUE(
        distinction.save(QString::fromStdString(folders.dataFile("grafika/sw_str1_prw_wyr.bmp"))));
    set("swiad_205w", {});
    set("swiad_205", {});

    ASSERT_TRUE(render(13));
    EXPECT_EQ(view.pictures[1].pixel(10, 10), QColor(Qt::yellow).rgb());
    EXPECT_EQ(view.pictures[2].pixel(10, 10), qRgb(255, 255, 255));
    ASSERT_TRUE(render(12));
    EXPECT_EQ(view.pictures[1].pixel(10, 10), qRgb(255, 255, 255))
        << "not the previous document's picture";
}

TEST_F(RenderPagesTest, PicturesOnlyOnCertificatePageOneAndOnlyWhenPrinting)
{
    dialogs.answerMessage(Answer::Ok);
    const std::vector<CalibrationRecord> rows = {Row("GRAFIKA: ORZELEK", 380, 60, 505, 190)};
    set("swiad_221", rows);
    set("arkusz_280_str1", rows);
    ASSERT_TRUE(render(18));
    ASSERT_TRUE(render(20, RenderPrint));
    EXPECT_TRUE(dialogs.requests().empty());
    ASSERT_TRUE(render(18, RenderPrint));
    ASSERT_EQ(dialogs.requests().size(), 1u)
        << "the missing emblem is reported once and the render goes on";
    EXPECT_EQ(dialogs.requests()[0].caption, "Bład");
}

}  // namespace
