// The drawing operations with the numbers they must reproduce: box tops, alignments,
// clipping, strike-out lines, justification, dot leaders, pictures and the highlight.
#include "render/Fonts.h"
#include "render/Primitives.h"
#include "tests/render/RenderFixtures.h"
#include "tests/support/TempFolders.h"
#include "platform/ScriptedDialogs.h"
#include "store/ErrorStream.h"
#include "store/Logs.h"

#include <QFile>
#include <QDir>
#include <gtest/gtest.h>

#include <limits>

namespace {

class PrimitivesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    PageImage& draw(const std::function<void(PageCanvas&)>& operations)
    {
        PageCanvas canvas;
        canvas.open(page);
        operations(canvas);
        canvas.close();
        return page;
    }

    PageImage page;
    DrawContext context;
};

TEST_F(PrimitivesTest, TheBoxEndsAtY2AndIsTextHeightPlusAQuarterOfTheSizeHigh)
{
    for (const int size : {3, 12, 14}) {
        const CalibrationRecord row = Row("X", 100, 100, 400, 500, size);
        draw([&](PageCanvas& c) { DrawFieldText(context, "tekst", row, c, 1, row.name); });
        const auto runs = TextRuns(page);
        ASSERT_EQ(runs.size(), 1u);
        const int height = TextHeight(MakePageFont("Times New Roman", size, {}));
        EXPECT_EQ(runs[0].box.top(), 500 - height - size / 4) << size << " pt";
        EXPECT_EQ(runs[0].box.bottom() + 1, 500);
        if (size == 12) {
            EXPECT_EQ(runs[0].box.top(), 478);
        }
    }
}

TEST_F(PrimitivesTest, AlignmentsAndClipping)
{
    struct Case {
        int align;
        bool clip;
        HAlign expected;
    };
    const Case cases[] = {
        {0, false, HAlign::Left},    {1, false, HAlign::Center}, {2, false, HAlign::Right},
        {-1, false, HAlign::Center}, {7, true, HAlign::Center},  {0, true, HAlign::Left},
    };
    for (const Case& c : cases) {
        context.options.clipText = c.clip;
        const CalibrationRecord row = Row("X", 100, 100, 400, 500, 12, c.align);
        draw(
            [&](PageCanvas& canvas) { DrawFieldText(context, "tekst", row, canvas, 1, row.name); });
        const auto runs = TextRuns(page);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].align, c.expected) << "align " << c.align;
        EXPECT_EQ(runs[0].clip, c.clip) << "align " << c.align;
        EXPECT_EQ(runs[0].box.left(), 100);
        EXPECT_EQ(runs[0].box.width(), 300);
    }
}

TEST_F(PrimitivesTest, StyleFlagsGoIntoTheFont)
{
    CalibrationRecord row = Row("X", 0, 0, 300, 100, 12);
    row.font_style_bold = 1;
    row.font_style_underline = 5;
    draw([&](PageCanvas& c) { DrawFieldText(context, "a", row, c, 1, row.name); });
    const QFont font = TextRuns(page).at(0).font;
    EXPECT_TRUE(font.bold());
    EXPECT_FALSE(font.italic());
    EXPECT_TRUE(font.underline());
    EXPECT_FALSE(font.strikeOut());
}

TEST_F(PrimitivesTest, EmptyFieldsAreStruckOutAtTheHeightOfTheDotsOption)
{
    struct Case {
        bool strikeEmpty;
        bool noDots;
        QString text;
        int lineY;  // 0: no line
    };
    const Case cases[] = {
        {true, false, "", 490}, {true, true, "", 485}, {false, false, "", 0},
        {false, true, "", 0},   {true, false, " ", 0},
    };
    for (const Case& c : cases) {
        context.options.strikeEmpty = c.strikeEmpty;
        context.options.printNoDots = c.noDots;
        const CalibrationRecord row = Row("X", 100, 100, 400, 500);
        draw([&](PageCanvas& canvas) { DrawFieldText(context, c.text, row, canvas, 1, row.name); });
        const auto lines = Lines(page);
        if (c.lineY == 0) {
            EXPECT_TRUE(lines.empty());
        } else {
            ASSERT_EQ(lines.size(), 1u);
            EXPECT_EQ(lines[0].from, QPoint(100, c.lineY));
            EXPECT_EQ(lines[0].to, QPoint(400, c.lineY));
        }
        EXPECT_EQ(TextRuns(page).size(), c.text.isEmpty() ? 0u : 1u);
    }
}

TEST_F(PrimitivesTest, JustificationNeedsFiveBlanksAndEndsFlushRight)
{
    struct Case {
        QString text;
        std::size_t runs;  // pieces and blanks drawn
    };
    const Case cases[] = {
        {"jeden dwa trzy cztery pięć", 1},
        {"jeden dwa trzy cztery pięć sześć", 11},
        {"jeden  dwa trzy cztery pięć", 11},  // the double blank counts twice
    };
    for (const Case& c : cases) {
        draw([&](PageCanvas& canvas) {
            canvas.setFontFace("Times New Roman");
            canvas.setFontSize(12);
            DrawJustifiedText(canvas, 100, 50, 700, 80, c.text);
        });
        const auto runs = TextRuns(page);
        ASSERT_EQ(runs.size(), c.runs) << c.text.toStdString();
        EXPECT_EQ(runs.front().box.left(), 100);
        if (c.runs == 1) {
            EXPECT_EQ(runs[0].text, c.text);
            continue;
        }
        PageCanvas measure;
        PageImage scratch;
        measure.open(scratch);
        measure.setFontFace("Times New Roman");
        measure.setFontSize(12);
        QString words = c.text;
        words.remove(u' ');
        const int gap = (600 - measure.textWidth(words)) / 5;
        EXPECT_EQ(runs.back().box.left() + runs.back().box.width(), 700)
            << "last piece flush right";
        for (std::size_t i = 1; i + 1 < runs.size(); i += 2) {
            EXPECT_EQ(runs[i].text, " ");
            EXPECT_EQ(runs[i].box.width(), gap);
            if (i + 2 < runs.size()) {
                EXPECT_EQ(runs[i + 1].box.left(), runs[i].box.left() + gap);
            }
        }
    }
    EXPECT_EQ(TextRuns(page)[2].text, "") << "the piece between two blanks is empty";
}

TEST_F(PrimitivesTest, DotLeaderEverySixUnitsAtFourteenPointsInTheCurrentFace)
{
    const CalibrationRecord row = Row("A_STR1_LINIA_Z_KROPEK", 100, 0, 130, 400, 9);
    draw([&](PageCanvas& canvas) {
        canvas.setFontFace("Arial");
        canvas.setFontSize(9);
        canvas.setFontStyle({.bold = true});
        DrawDotLeader(context, row, canvas, 1, row.name);
        EXPECT_EQ(canvas.fontSize(), 9);
        EXPECT_FALSE(canvas.fontStyle().bold);
    });
    const auto rows = DotRows(page);
    ASSERT_EQ(rows.size(), 1u) << "one item per leader";
    EXPECT_TRUE(TextRuns(page).empty());
    EXPECT_EQ(rows[0].first, QPoint(100, 400 - 14));
    EXPECT_EQ(rows[0].count, 5) << "dots at 100, 106, 112, 118 and 124";
    EXPECT_EQ(rows[0].step, 6);
    EXPECT_EQ(rows[0].font.pixelSize(), 19);
    EXPECT_EQ(rows[0].font.family(), "Arial");
    EXPECT_FALSE(rows[0].font.bold());

    const CalibrationRecord reversed = Row("B_STR1_LINIA_Z_KROPEK", 130, 0, 130, 400);
    draw([&](PageCanvas& canvas) { DrawDotLeader(context, reversed, canvas, 1, reversed.name); });
    EXPECT_TRUE(page.isEmpty());
}

TEST_F(PrimitivesTest, AHugeDotLeaderStopsAPageWidthOffThePage)
{
    const int x1s[] = {-2'000'000'003, -7, 0};
    for (const int x1 : x1s) {
        const CalibrationRecord row = Row("A_STR1_LINIA_Z_KROPEK", x1, 0, 2'147'483'647, 400);
        draw([&](PageCanvas& canvas) { DrawDotLeader(context, row, canvas, 1, row.name); });
        const auto rows = DotRows(page);
        ASSERT_EQ(rows.size(), 1u);
        const long long first = rows[0].first.x();
        const long long last = first + 6LL * (rows[0].count - 1);
        ASSERT_LT(rows[0].count, 3 * 885 / 6 + 2) << x1;
        EXPECT_LE(first, std::max(x1, 0)) << x1;
        EXPECT_GE(last, 885 - 6) << "the whole page width gets its dots";
        EXPECT_EQ((first - x1) % 6, 0) << "on the grid from x1";
    }
}

TEST_F(PrimitivesTest, FontSizeZeroOrLessDrawsAtTheDefaultSize)
{
    for (const int size : {0, -3}) {
        const CalibrationRecord row = Row("X", 0, 0, 300, 200, size);
        draw([&](PageCanvas& canvas) { DrawFieldText(context, "a", row, canvas, 1, row.name); });
        const auto runs = TextRuns(page);
        ASSERT_EQ(runs.size(), 1u);
        EXPECT_EQ(runs[0].font.pixelSize(), PointsToPageUnits(kDefaultFontSize));
    }
}

TEST_F(PrimitivesTest, ExtremeStoredNumbersGiveBoxesWithTheirCornersInOrder)
{
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    RecordingPreview view;
    context.view = &view;
    context.options.strikeEmpty = true;
    const CalibrationRecord rows[] = {
        Row("X", kMin, kMin, kMax, kMax, kMax),
        Row("X", kMax - 3, 0, kMax, kMax, 12),
        Row("X", 0, kMin, 10, kMin + 5, 12),
        Row("X", -5, -5, kMax, 5, kMax),
    };
    const auto ordered = [](const QRect& box) { return box.width() >= 0 && box.height() >= 0; };
    for (const CalibrationRecord& row : rows) {
        context.selectedRow = &row.name;
        for (const QString& text : {QString("tekst"), QString()}) {
            draw([&](PageCanvas& canvas) {
                DrawFieldText(context, text, row, canvas, 1, row.name);
                DrawFrameMark(context, canvas, row);
                DrawDotLeader(context, row, canvas, 1, row.name);
            });
            for (const TextRun& run : TextRuns(page))
                EXPECT_TRUE(ordered(run.box)) << row.x1 << " " << row.y1 << " " << run.box.width()
                                              << " x " << run.box.height();
            for (const RectItem& rect : Rects(page))
                EXPECT_TRUE(ordered(rect.rect)) << row.x1 << " " << row.y1 << " "
                                                << rect.rect.width() << " x " << rect.rect.height();
            for (const LineItem& line : Lines(page))
                EXPECT_LE(line.from.x(), line.to.x()) << row.x1;
        }
    }
    for (const TextRun& run : TextRuns(draw([&](PageCanvas& canvas) {
             DrawFieldText(context, "tekst", rows[0], canvas, 1, "inny");
         })))
        EXPECT_LE(run.font.pixelSize(), PointsToPageUnits(1000));
}

TEST_F(PrimitivesTest, FrameIsBlackUnlessSelectedThenRed)
{
    const std::string selected = "GRAFIKA: RAMKA 1";
    RecordingPreview view;
    context.view = &view;
    for (const std::string& name :
         {std::string("GRAFIKA: RAMKA 1"), std::string("GRAFIKA: RAMKA 2")}) {
        context.selectedRow = &selected;
        const CalibrationRecord row = Row(name, 10, 20, 30, 40);
        draw([&](PageCanvas& canvas) {
            canvas.setPenWidth(3);
            DrawFrameMark(context, canvas, row);
            EXPECT_EQ(canvas.penWidth(), 3);
            EXPECT_EQ(canvas.penColor(), QColor(Qt::black));
        });
        const auto rects = Rects(page);
        ASSERT_EQ(rects.size(), 1u);
        EXPECT_EQ(rects[0].rect, QRect(10, 20, 20, 20));
        EXPECT_EQ(rects[0].width, 1);
        EXPECT_EQ(rects[0].color, name == selected ? QColor(Qt::red) : QColor(Qt::black));
    }
    EXPECT_TRUE(view.calls.empty()) << "a frame neither switches the tab nor scrolls";
}

struct HighlightCase {
    const char* what;
    std::string selected;
    std::string name;  // the name passed for the highlight
    CalibrationRecord row;
    QString text;
    int page;
    QRect redRect;  // empty: no highlight
    int tab;
    int scroll;
    bool allScrollBoxes;
};

TEST_F(PrimitivesTest, CalibrationHighlightOutlinesSwitchesTabAndScrolls)
{
    const HighlightCase cases[] = {
        {"short text box", "A_STR2_DATA_EDIT", "A_STR2_DATA_EDIT",
         Row("A_STR2_DATA_EDIT", 100, 400, 300, 430), "x", 2, QRect(100, 430 - 19 - 3, 200, 19 + 3),
         1, 286, true},
        {"empty text, 30 high", "A_STR2_DATA_EDIT", "A_STR2_DATA_EDIT",
         Row("A_STR2_DATA_EDIT", 100, 400, 300, 430), "", 2, QRect(100, 400, 200, 30), 1, 286,
         true},
        {"empty text, 150 high", "A_STR3_DATA_EDIT", "A_STR3_DATA_EDIT",
         Row("A_STR3_DATA_EDIT", 100, 400, 300, 550), "", 3, QRect(100, 530, 200, 20), 2, 275,
         true},
        {"memo line by memo name", "M_STR2_DATA_MEMO03", "M_STR2_DATA_MEMO",
         Row("M_STR2_DATA_MEMO01", 10, 600, 300, 620), "", 2, QRect(10, 600, 290, 20), 1, 413,
         true},
        {"other row", "B_STR2_DATA_EDIT", "A_STR2_DATA_EDIT",
         Row("A_STR2_DATA_EDIT", 100, 400, 300, 430), "", 2, QRect(), -1, -1, true},
    };
    for (const HighlightCase& c : cases) {
        RecordingPreview view;
        context.view = &view;
        context.selectedRow = &c.selected;
        draw([&](PageCanvas& canvas) {
            DrawFieldText(context, c.text, c.row, canvas, c.page, c.name);
        });
        const auto rects = Rects(page);
        if (c.redRect.isNull()) {
            EXPECT_TRUE(rects.empty()) << c.what;
            EXPECT_TRUE(view.calls.empty()) << c.what;
            continue;
        }
        ASSERT_EQ(rects.size(), 1u) << c.what;
        EXPECT_EQ(rects[0].rect, c.redRect) << c.what;
        EXPECT_EQ(rects[0].color, QColor(Qt::red)) << c.what;
        ASSERT_EQ(view.calls.size(), 5u) << c.what;
        EXPECT_EQ(view.calls[0].what, "tab");
        EXPECT_EQ(view.calls[0].page, c.tab) << c.what;
        for (int n = 1; n <= 4; ++n) {
            EXPECT_EQ(view.calls[n].what, "scroll");
            EXPECT_EQ(view.calls[n].page, n);
            EXPECT_EQ(view.calls[n].value, c.scroll) << c.what;
        }
    }
}

TEST_F(PrimitivesTest, DotLeaderAndPictureHighlights)
{
    RecordingPreview view;
    context.view = &view;
    const std::string leader = "A_STR3_LINIA_Z_KROPEK";
    context.selectedRow = &leader;
    const CalibrationRecord leaderRow = Row(leader, 100, 0, 112, 301);
    draw([&](PageCanvas& canvas) { DrawDotLeader(context, leaderRow, canvas, 3, leader); });
    ASSERT_FALSE(Rects(page).empty());
    EXPECT_EQ(Rects(page)[0].rect, QRect(100, 301, 12, 5));
    ASSERT_EQ(view.calls.size(), 5u);
    EXPECT_EQ(view.calls[0].page, 2);
    EXPECT_EQ(view.calls[1].value, 200);

    view.calls.clear();
    const std::string emblem = "GRAFIKA: ORZELEK";
    context.selectedRow = &emblem;
    const CalibrationRecord emblemRow = Row(emblem, 380, 60, 505, 191);
    draw([&](PageCanvas& canvas) {
        vFunGraphicDrawMark(context, MarkKind::Emblem, emblemRow, canvas, emblem);
    });
    ASSERT_EQ(Rects(page).size(), 1u);
    EXPECT_EQ(Rects(page)[0].rect, QRect(380, 60, 125, 131));
    EXPECT_TRUE(Pictures(page).empty()) << "no picture in the preview";
    ASSERT_EQ(view.calls.size(), 2u);
    EXPECT_EQ(view.calls[0].what, "tab");
    EXPECT_EQ(view.calls[0].page, 0);
    EXPECT_EQ(view.calls[1].what, "scroll");
    EXPECT_EQ(view.calls[1].page, 1);
    EXPECT_EQ(view.calls[1].value, 95);
}

class MarkPictureTest : public PrimitivesTest {
protected:
    void SetUp() override
    {
        QDir().mkpath(QString::fromStdString(folders.dataFile("grafika")));
        context.printing = true;
        context.errors = &errors;
        dialogs.setFailureHandler([](const std::string& message) { FAIL() << message; });
    }

    std::vector<LogRecord> logRows()
    {
        ErrorStream es;
        std::vector<LogRecord> rows;
        bFunSqlGetLogsData(es, rows);
        return rows;
    }

    void writeFile(const std::string& name, const QByteArray& bytes)
    {
        QFile file(QString::fromStdString(folders.dataFile("grafika/" + name)));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    TempFolders folders;
    ScriptedDialogs dialogs;
    ErrorStream errors;
};

TEST_F(MarkPictureTest, MissingOrUndecodablePicturesAreReportedAndSkipped)
{
    struct Case {
        MarkKind kind;
        const char* file;
        QByteArray contents;  // empty: the file is missing
        const char* message;
    };
    const Case cases[] = {
        {MarkKind::Emblem, "orzel.svg", {}, "Plik nie istnieje.\n\n"},
        {MarkKind::Stamp, "m_p.jpg", {}, "Plik nie istnieje.\n\n"},
        {MarkKind::Emblem, "orzel.svg", "<svg this is not",
         "Nie można odczytać pliku graficznego.\n\n"},
        {MarkKind::Stamp, "m_p.jpg", QByteArray("\xff\xd8\xff\xe0 broken", 12),
         "Nie można odczytać pliku graficznego.\n\n"},
    };
    std::size_t logged = 0;
    for (const Case& c : cases) {
        if (!c.contents.isEmpty())
            writeFile(c.file, c.contents);
        dialogs.answerMessage(Answer::Ok);
        const CalibrationRecord row = Row("GRAFIKA: X", 10, 10, 100, 100);
        draw([&](PageCanvas& canvas) {
            vFunGraphicDrawMark(context, c.kind, row, canvas, row.name);
        });
        EXPECT_TRUE(page.isEmpty());
        const std::string path = folders.dataFile(std::string("grafika/") + c.file);
        ASSERT_EQ(dialogs.requests().size(), logged + 1);
        const DialogRequest& request = dialogs.requests().back();
        EXPECT_EQ(request.text.toStdString(), c.message + path);
        EXPECT_EQ(request.caption, "Bład");
        EXPECT_EQ(request.icon, MsgIcon::Error);
        const auto rows = logRows();
        ASSERT_EQ(rows.size(), ++logged);
        EXPECT_EQ(rows.back().fun, "vFunGraphicDrawMark()");
        EXPECT_EQ(rows.back().info, c.message + path);
    }
}

TEST_F(MarkPictureTest, PicturesAreDrawnOnlyWhenPrinting)
{
    writeFile("orzel.svg", R"(<svg xmlns="http://www.w3.org/2000/svg" width="10" height="10">)"
                           R"(<rect width="10" height="10" fill="black"/></svg>)");
    const CalibrationRecord row = Row("GRAFIKA: ORZELEK", 10, 20, 110, 220);
    context.printing = false;
    draw([&](PageCanvas& canvas) {
        vFunGraphicDrawMark(context, MarkKind::Emblem, row, canvas, row.name);
    });
    EXPECT_TRUE(page.isEmpty());
    context.printing = true;
    draw([&](PageCanvas& canvas) {
        vFunGraphicDrawMark(context, MarkKind::Emblem, row, canvas, row.name);
    });
    ASSERT_EQ(Pictures(page).size(), 1u);
    EXPECT_EQ(Pictures(page)[0].rect, QRect(10, 20, 100, 200));
    const QImage raster = RasterPage(page);
    EXPECT_EQ(raster.pixel(60, 120), qRgb(0, 0, 0));
    EXPECT_TRUE(dialogs.requests().empty());
}

}  // namespace
