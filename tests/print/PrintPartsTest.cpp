// The pure parts of printing: millimetres to pixels, placement, the job plan, the combo
// box mappings, the set-up read-back, the half-turn and the nudge guards; and the print
// routine against a recording sink.
#include "render/PageCanvas.h"
#include "render/PrintJobSettings.h"
#include "render/PrintNudges.h"
#include "render/PrintPlacement.h"
#include "render/PrintPlan.h"
#include "render/PrintRoutine.h"
#include "tests/print/RecordingPrint.h"
#include "tests/render/RenderFixtures.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <limits>
#include <set>
#include <tuple>

namespace {

TEST(PrintPlacement, MillimetresToPixelsTruncate)
{
    struct Case {
        int mm, dpi, px;
    };
    for (const Case c : {Case{10, 600, 236},
                         {127, 600, 3000},
                         {200, 600, 4724},
                         {297, 300, 3507},
                         {0, 600, 0},
                         {-10, 600, -236},
                         {1, 72, 2}}) {
        EXPECT_EQ(MmToPx(c.mm, c.dpi), c.px) << c.mm << " mm at " << c.dpi;
    }
}

TEST(PrintPlacement, RightAndBottomCountFromThePrintableArea)
{
    // Left 10, right 200 mm at 600 dpi with an offset of 100 pixels: x 136, width 4588;
    // top 20, bottom 280 mm with an offset of 30 pixels: y 442, height 6172.
    EXPECT_EQ(PlacePage({10, 20, 200, 280}, {600, 600, 100, 30}), QRect(136, 442, 4588, 6172));
    // Each axis with its own resolution and offset.
    EXPECT_EQ(PlacePage({10, 10, 200, 200}, {600, 300, 0, 0}), QRect(236, 118, 4488, 2244));
    EXPECT_EQ(PlacePage({10, 10, 200, 200}, {300, 600, 50, 20}), QRect(68, 216, 2294, 4508));
}

TEST(PrintPlacement, LandscapeMarginsAreThePortraitSheetsTurned)
{
    // A queue's margins on the portrait sheet: left 11, top 33, right 6, bottom 25 pt. A
    // landscape page lies on it turned a quarter anticlockwise: its left margin is the
    // sheet's bottom one, its top the sheet's left one.
    const QMarginsF portrait(11, 33, 6, 25);
    EXPECT_EQ(MarginsAsPrinted(portrait, QPageLayout::Portrait), QMarginsF(11, 33, 6, 25));
    EXPECT_EQ(MarginsAsPrinted(portrait, QPageLayout::Landscape), QMarginsF(25, 11, 33, 6));
}

TEST(PrintPlacement, ExtremeStoredMarginsGiveAPlaceWithItsCornersInOrder)
{
    constexpr int kMin = std::numeric_limits<int>::min();
    constexpr int kMax = std::numeric_limits<int>::max();
    for (const MarginRect& mm :
         {MarginRect{kMin, kMin, kMax, kMax}, MarginRect{0, 0, kMax, kMax},
          MarginRect{kMin, kMin, 0, 0}, MarginRect{kMax - 1, 10, kMax, 20}}) {
        const QRect r = PlacePage(mm, {600, 1200, 100, 50});
        EXPECT_GE(r.width(), 0) << mm.X1 << ".." << mm.X2;
        EXPECT_GE(r.height(), 0) << mm.Y1 << ".." << mm.Y2;
    }
    EXPECT_GT(MmToPx(kMax, 600), 0);
    EXPECT_LT(MmToPx(kMin, 600), 0);
}

TEST(PrintPlacement, MisplacedPagesAreThoseThatPrint)
{
    const std::array<MarginRect, 4> rects = {
        {{10, 10, 200, 280}, {50, 10, 50, 280}, {10, 90, 200, 80}, {9, 9, 1, 1}}};
    EXPECT_EQ(MisplacedPages(rects, {1}), std::vector<int>{});
    EXPECT_EQ(MisplacedPages(rects, {1, 2}), std::vector<int>{2});
    EXPECT_EQ(MisplacedPages(rects, {1, 4, 2, 3}), (std::vector<int>{4, 2, 3}));
}

TEST(PrintPlacement, HalfTurnMapsThePageCorner)
{
    EXPECT_EQ(HalfTurn().map(QPoint(0, 0)), QPoint(879, 1299));
    EXPECT_EQ(HalfTurn().map(QPoint(879, 1299)), QPoint(0, 0));
    EXPECT_EQ(HalfTurn().map(QPoint(100, 200)), QPoint(779, 1099));
}

// A page image with one thick dash near the top left, centred on (50, 40).
PageImage Marker()
{
    PageImage page;
    PageCanvas canvas;
    canvas.open(page);
    canvas.setPenWidth(20);
    canvas.line(QPoint(40, 40), QPoint(60, 40));
    canvas.close();
    return page;
}

QPoint InkCentre(const QImage& picture)
{
    long sx = 0, sy = 0, n = 0;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (qGray(picture.pixel(x, y)) < 128) {
                sx += x;
                sy += y;
                ++n;
            }
    return n ? QPoint(int(sx / n), int(sy / n)) : QPoint(-1, -1);
}

TEST(PrintPlacement, DrawPageImageStretchesAndTurns)
{
    EnsureApplication();
    const PageImage page = Marker();
    for (bool turn : {false, true}) {
        QImage sheet(885 * 2, 1314 * 2, QImage::Format_RGB32);
        sheet.fill(Qt::white);
        QPainter painter(&sheet);
        DrawPageImage(painter, QRect(0, 0, 885 * 2, 1314 * 2), page, turn);
        painter.end();
        const QPoint centre = InkCentre(sheet);
        const QPoint expected = turn ? QPoint((879 - 50) * 2, (1299 - 40) * 2) : QPoint(100, 80);
        EXPECT_NEAR(centre.x(), expected.x(), 3) << "turned " << turn;
        EXPECT_NEAR(centre.y(), expected.y(), 3) << "turned " << turn;
    }
}

TEST(PrintPlan, JobsAndSidesForEveryPageCount)
{
    using Sides = std::vector<std::vector<int>>;
    struct Case {
        int pages;
        bool twoSided;
        std::vector<std::pair<QString, Sides>> jobs;
        bool prompt;
    };
    const Case cases[] = {
        {1, false, {{"TOVRIX", {{1}}}}, false},
        {1, true, {{"TOVRIX", {{1}}}}, false},
        {2, true, {{"TOVRIX", {{1}, {2}}}}, false},
        {2, false, {{"TOVRIX 1", {{1}}}, {"TOVRIX 2", {{2}}}}, true},
        {3, true, {{"TOVRIX", {{1}, {2, 3}}}}, false},
        {3, false, {{"TOVRIX 1", {{1}}}, {"TOVRIX 2", {{2, 3}}}}, true},
        {4, true, {{"TOVRIX", {{1, 4}, {2, 3}}}}, false},
        {4, false, {{"TOVRIX 1", {{1, 4}}}, {"TOVRIX 2", {{2, 3}}}}, true},
        {0, true, {}, false},
        {5, false, {}, false},
    };
    for (const Case& c : cases) {
        const PrintPlan plan = MakePrintPlan(c.pages, c.twoSided);
        ASSERT_EQ(plan.jobs.size(), c.jobs.size()) << c.pages << " pages, two-sided " << c.twoSided;
        for (std::size_t j = 0; j < c.jobs.size(); ++j) {
            EXPECT_EQ(plan.jobs[j].name, c.jobs[j].first);
            EXPECT_EQ(plan.jobs[j].sides, c.jobs[j].second) << c.pages << " pages, job " << j;
        }
        EXPECT_EQ(plan.promptBetweenJobs, c.prompt);
    }
}

TEST(PrintJobSettings, CombosGiveOrientationPaperAndDuplex)
{
    struct Case {
        int orientation, paper, duplex;
        JobSettings expected;
    };
    const Case cases[] = {
        {0, 1, 0, {QPageLayout::Landscape, QPageSize::A4, QPrinter::DuplexNone}},
        {1, 0, 1, {QPageLayout::Portrait, QPageSize::A3, QPrinter::DuplexLongSide}},
        {1, 1, 2, {QPageLayout::Portrait, QPageSize::A4, QPrinter::DuplexShortSide}},
        {-1, -1, -1, {std::nullopt, std::nullopt, QPrinter::DuplexNone}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(JobSettingsFromCombos(c.orientation, c.paper, c.duplex) == c.expected)
            << c.orientation << " " << c.paper << " " << c.duplex;
}

TEST(PrintJobSettings, SetupDialogReadBack)
{
    struct Case {
        QPageLayout::Orientation orientation;
        QPrinter::DuplexMode duplex;
        QPageSize::PageSizeId paper;
        bool capable;
        SetupReadBack expected;
    };
    const Case cases[] = {
        {QPageLayout::Portrait, QPrinter::DuplexNone, QPageSize::A4, true, {1, 0, 1, true}},
        {QPageLayout::Landscape, QPrinter::DuplexLongSide, QPageSize::A3, true, {0, 1, 0, true}},
        {QPageLayout::Landscape,
         QPrinter::DuplexShortSide,
         QPageSize::Letter,
         false,
         {0, 2, std::nullopt, false}},
        {QPageLayout::Portrait,
         QPrinter::DuplexAuto,
         QPageSize::A5,
         false,
         {1, std::nullopt, std::nullopt, false}},
    };
    for (const Case& c : cases)
        EXPECT_TRUE(ReadBackSetup(c.orientation, c.duplex, c.paper, c.capable) == c.expected)
            << int(c.orientation) << " " << int(c.duplex) << " " << int(c.paper);
}

struct NudgeCase {
    int button;
    MarginRect before;
    MarginRect after;
};

TEST(PrintNudges, EveryButtonAndItsGuards)
{
    const MarginRect start{10, 20, 200, 280};
    const NudgeCase cases[] = {
        // Page 1: up, left, down, right, width +/−, height +/−.
        {1, start, {10, 19, 200, 279}},
        {1, {10, 1, 200, 280}, {10, 1, 200, 280}},
        {2, start, {9, 20, 199, 280}},
        {2, {1, 20, 200, 280}, {1, 20, 200, 280}},
        {2, {5, 20, 1, 280}, {4, 20, 1, 280}},
        {3, start, {10, 21, 200, 281}},
        {4, start, {11, 20, 201, 280}},
        {9, start, {9, 20, 201, 280}},
        {9, {1, 20, 200, 280}, {1, 20, 200, 280}},
        {10, start, {11, 20, 199, 280}},
        {10, {10, 20, 1, 280}, {10, 20, 1, 280}},
        {11, start, {10, 19, 200, 281}},
        {11, {10, 1, 200, 280}, {10, 1, 200, 280}},
        {12, start, {10, 21, 200, 279}},
        {12, {10, 20, 200, 1}, {10, 21, 200, 1}},
        // Page 2: the minus buttons have no guard, the arrow left guards the left edge only.
        {5, {10, 1, 200, 280}, {10, 1, 200, 280}},
        {5, {10, 0, 200, 280}, {10, -1, 200, 279}},
        {6, {5, 20, 1, 280}, {4, 20, 0, 280}},
        {6, {1, 20, 9, 280}, {1, 20, 9, 280}},
        {7, start, {10, 21, 200, 281}},
        {8, start, {11, 20, 201, 280}},
        {13, start, {9, 20, 201, 280}},
        {14, {10, 20, 1, 280}, {11, 20, 0, 280}},
        {16, start, {10, 19, 200, 281}},
        {15, {10, 20, 200, 1}, {10, 21, 200, 0}},
        // Page 3.
        {20, start, {10, 19, 200, 279}},
        {19, start, {9, 20, 199, 280}},
        {18, start, {10, 21, 200, 281}},
        {17, start, {11, 20, 201, 280}},
        {21, {1, 20, 200, 280}, {1, 20, 200, 280}},
        {22, {10, 20, 1, 280}, {11, 20, 0, 280}},
        {24, {10, 1, 200, 280}, {10, 1, 200, 280}},
        {23, start, {10, 21, 200, 279}},
        // Page 4.
        {28, start, {10, 19, 200, 279}},
        {27, start, {9, 20, 199, 280}},
        {26, start, {10, 21, 200, 281}},
        {25, start, {11, 20, 201, 280}},
        {29, start, {9, 20, 201, 280}},
        {30, start, {11, 20, 199, 280}},
        {32, start, {10, 19, 200, 281}},
        {31, start, {10, 21, 200, 279}},
    };
    std::set<int> seen;
    for (const NudgeCase& c : cases) {
        const std::optional<NudgeButton> button = NudgeButtonOf(c.button);
        ASSERT_TRUE(button) << c.button;
        MarginRect rect = c.before;
        ApplyNudge(NudgeRuleOf(button->page, button->kind), rect);
        EXPECT_EQ(rect, c.after) << "SpeedButton" << c.button;
        seen.insert(c.button);
    }
    EXPECT_EQ(seen.size(), 32u);
    EXPECT_FALSE(NudgeButtonOf(0));
    EXPECT_FALSE(NudgeButtonOf(33));
}

class PrintRoutineTest : public ::testing::Test {
protected:
    PrintFailure run(int pageCount, bool twoSided, bool halfTurn)
    {
        RecordingSink sink(record, faults, metrics);
        return RunPrintPlan(sink, MakePrintPlan(pageCount, twoSided), rects, pages, halfTurn,
                            [this] { record.calls.push_back("prompt"); });
    }
    int pageOf(const DrawnPage& drawn) const { return int(drawn.image - pages.data()) + 1; }

    PrintRecord record;
    PrintFaults faults;
    PrintMetrics metrics{600, 300, 100, 40};
    std::array<MarginRect, 4> rects = {
        {{10, 10, 200, 280}, {11, 12, 201, 282}, {5, 6, 100, 140}, {7, 8, 150, 160}}};
    PageImages pages;
};

TEST_F(PrintRoutineTest, FourPagesTwoSidedIsOneJobOfTwoSheetSides)
{
    EXPECT_EQ(run(4, true, true).step, PrintFailure::None);
    ASSERT_EQ(record.jobs.size(), 1u);
    const RecordedJob& job = record.jobs[0];
    EXPECT_EQ(job.name, "TOVRIX");
    ASSERT_EQ(job.pages.size(), 2u);
    std::vector<std::tuple<int, bool, QRect>> drawn;
    for (const RecordedPage& side : job.pages)
        for (const DrawnPage& d : side.drawn)
            drawn.emplace_back(pageOf(d), d.halfTurn, d.target);
    // At 600 × 300 dpi with offsets of 100 and 40 pixels.
    const auto expected =
        std::vector<std::tuple<int, bool, QRect>>{{1, false, QRect(136, 78, 4588, 3229)},
                                                  {4, false, QRect(65, 54, 3478, 1835)},
                                                  {2, true, QRect(159, 101, 4589, 3229)},
                                                  {3, true, QRect(18, 30, 2344, 1623)}};
    EXPECT_EQ(drawn, expected);
    EXPECT_TRUE(job.ended);
}

TEST_F(PrintRoutineTest, OneSidedIsTwoJobsWithThePromptBetween)
{
    EXPECT_EQ(run(3, false, true).step, PrintFailure::None);
    EXPECT_EQ(record.calls,
              (std::vector<std::string>{"startJob TOVRIX 1", "startPage", "drawPage", "endPage",
                                        "endJob", "prompt", "startJob TOVRIX 2", "startPage",
                                        "drawPage", "drawPage", "endPage", "endJob"}));
    for (const RecordedJob& job : record.jobs)
        for (const DrawnPage& d : job.pages[0].drawn)
            EXPECT_FALSE(d.halfTurn) << "a one-sided print turns nothing";
}

TEST_F(PrintRoutineTest, FailuresStopAndAbortTheOpenJob)
{
    struct Case {
        int failJob, failPage, pages;
        bool twoSided;
        PrintFailure::Step step;
        std::vector<std::string> tail;
    };
    const Case cases[] = {
        {1, 0, 1, false, PrintFailure::StartJob, {"startJob TOVRIX"}},
        {2, 0, 2, false, PrintFailure::StartJob, {"endJob", "prompt", "startJob TOVRIX 2"}},
        {0, 2, 2, true, PrintFailure::StartPage, {"endPage", "startPage", "abortJob"}},
        {0, 2, 4, false, PrintFailure::StartPage, {"startJob TOVRIX 2", "startPage", "abortJob"}},
    };
    for (const Case& c : cases) {
        record = {};
        faults.failStartJob = c.failJob;
        faults.failStartPage = c.failPage;
        const PrintFailure failure = run(c.pages, c.twoSided, false);
        EXPECT_EQ(failure.step, c.step);
        EXPECT_EQ(failure.error, faults.errorCode);
        ASSERT_GE(record.calls.size(), c.tail.size());
        EXPECT_EQ(std::vector<std::string>(record.calls.end() - c.tail.size(), record.calls.end()),
                  c.tail)
            << c.pages << " pages";
    }
}

}  // namespace
