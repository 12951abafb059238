// Page images and fonts: sizes in page units, the text height of the box formula, the
// baseline texts and dots stand on, and a replay that keeps every clip to its own text.
#include "render/Fonts.h"
#include "render/PageCanvas.h"
#include "render/PagePreviews.h"
#include "tests/render/RenderFixtures.h"

#include <QPainter>
#include <gtest/gtest.h>

class PageImageTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }
};

TEST_F(PageImageTest, PointSizesBecomePageUnitsAt96PerInch)
{
    const std::pair<int, int> cases[] = {{12, 16}, {14, 19}, {9, 12}, {3, 4}, {0, 11}, {-5, 11}};
    for (const auto& [points, units] : cases)
        EXPECT_EQ(PointsToPageUnits(points), units) << points << " pt";
}

TEST_F(PageImageTest, TextHeightOfTwelvePointTimesIsNineteen)
{
    EXPECT_EQ(TextHeight(MakePageFont("Times New Roman", 12, {})), 19);
}

namespace {

// The lowest row of `picture` with ink, -1 for none.
int LowestInkRow(const QImage& picture)
{
    for (int y = picture.height() - 1; y >= 0; --y)
        for (int x = 0; x < picture.width(); ++x)
            if (picture.pixel(x, y) != qRgb(255, 255, 255))
                return y;
    return -1;
}

}  // namespace

TEST_F(PageImageTest, TextsAndDotsStandOnTheBaselineTheirCellPuts)
{
    // The baseline lies the font's ascent rounded up to a whole unit below the box top:
    // 12 pt Times New Roman (16 units, ascent 14.26) 15 units, 14 pt Arial (19 units,
    // ascent 17.2) 18 units. "H" and "." stand on the baseline.
    struct Case {
        const char* face;
        int points;
        bool dots;
        bool clip;
        int baseline;  // units below the top
    };
    const Case cases[] = {
        {"Times New Roman", 12, false, false, 15},
        {"Arial", 14, false, true, 18},
        {"Arial", 14, true, false, 18},
    };
    constexpr int kTop = 100;
    constexpr int kScale = 10;
    for (const Case& c : cases) {
        PageImage page;
        PageCanvas canvas;
        canvas.open(page);
        canvas.setFontFace(c.face);
        canvas.setFontSize(c.points);
        if (c.dots)
            canvas.drawDots(QPoint(2, kTop), 5, 6);
        else
            canvas.drawText(QRect(2, kTop, 40, 30), QStringLiteral("HHH"), HAlign::Left, c.clip);
        canvas.close();

        // Units 0..40 across and kTop − 10..kTop + 30 down, ten pixels a unit.
        QImage picture(40 * kScale, 40 * kScale, QImage::Format_RGB32);
        picture.fill(Qt::white);
        QPainter painter(&picture);
        painter.scale(kScale, kScale);
        painter.translate(0, -(kTop - 10));
        page.replay(painter);
        painter.end();
        EXPECT_NEAR(LowestInkRow(picture) + 1, (10 + c.baseline) * kScale, 1)
            << c.face << " " << c.points << (c.dots ? " dots" : "");
    }
}

TEST_F(PageImageTest, ClosingTheCanvasReplacesThePageAndAnOpenCanvasLeavesItAlone)
{
    PageImage page;
    PageCanvas canvas;
    canvas.open(page);
    canvas.line({0, 0}, {10, 10});
    EXPECT_TRUE(page.isEmpty());
    canvas.close();
    ASSERT_EQ(page.items().size(), 1u);

    canvas.open(page);
    canvas.rectangle(1, 2, 3, 4);
    canvas.rectangle(5, 6, 7, 8);
    EXPECT_EQ(page.items().size(), 1u);
    canvas.close();
    EXPECT_EQ(Rects(page).size(), 2u);
    EXPECT_TRUE(Lines(page).empty());
}

TEST_F(PageImageTest, AClippedTextDoesNotClipWhatIsDrawnAfterIt)
{
    PageImage page;
    PageCanvas canvas;
    canvas.open(page);
    canvas.setFontFace("Arial");
    canvas.setFontSize(20);
    const QString longText = QStringLiteral("WWWWWWWWWWWWWWWW");
    canvas.drawText(QRect(10, 10, 40, 30), longText, HAlign::Left, true);
    canvas.drawText(QRect(10, 100, 40, 30), longText, HAlign::Left, false);
    canvas.line({300, 300}, {500, 300});
    canvas.close();

    const QImage picture = RasterPage(page);
    EXPECT_LE(InkColumns(picture, 10, 40).second, 50) << "clipped text stays in its box";
    EXPECT_GT(InkColumns(picture, 100, 130).second, 200) << "unclipped text runs on";
    EXPECT_NE(picture.pixel(400, 300), qRgb(255, 255, 255)) << "a later line is not clipped";
}

TEST_F(PageImageTest, TextIsDrawnLiterallyAmpersandsIncluded)
{
    const auto inkWidth = [](const QString& text) {
        PageImage page;
        PageCanvas canvas;
        canvas.open(page);
        canvas.setFontSize(20);
        canvas.drawText(QRect(10, 10, 400, 40), text, HAlign::Left, false);
        canvas.close();
        const auto [first, last] = InkColumns(RasterPage(page), 10, 60);
        return last - first;
    };
    EXPECT_GT(inkWidth(QStringLiteral("A&B")), inkWidth(QStringLiteral("AB")) + 5);
}

TEST_F(PageImageTest, ThePreviewLaysThePageIntoItsRectangle)
{
    PageImage page;
    PageCanvas canvas;
    canvas.open(page);
    canvas.drawPicture(0, 0, PageImage::kWidth, PageImage::kHeight,
                       std::make_shared<const QImage>([] {
                           QImage black(8, 8, QImage::Format_RGB32);
                           black.fill(Qt::black);
                           return black;
                       }()));
    canvas.close();

    const QImage preview = ComposePreviewPicture(QImage(), page);
    ASSERT_EQ(preview.size(), QSize(1031, 1462));
    EXPECT_EQ(preview.pixel(73, 73), qRgb(255, 255, 255));
    EXPECT_EQ(preview.pixel(74, 74), qRgb(0, 0, 0));
    EXPECT_EQ(preview.pixel(956, 1387), qRgb(0, 0, 0));
    EXPECT_EQ(preview.pixel(957, 1388), qRgb(255, 255, 255));
}

TEST_F(PageImageTest, ADotRowPaintsTheSamePixelsAsOneTextRunPerDot)
{
    struct Case {
        const char* face;
        FontStyle style;
        QPoint first;
        int count;
    };
    const Case cases[] = {
        {"Times New Roman", {}, {100, 386}, 60},
        {"Arial", {}, {-7, 1000}, 150},
        {"Arial", {.bold = true, .italic = true}, {3, 5}, 1},
    };
    for (const Case& c : cases) {
        const QFont font = MakePageFont(c.face, 14, c.style);
        PageImage one, separate;
        PageCanvas canvas;
        canvas.open(one);
        canvas.setFontFace(c.face);
        canvas.setFontSize(14);
        canvas.setFontStyle(c.style);
        canvas.drawDots(c.first, c.count, 6);
        canvas.close();
        canvas.open(separate);
        canvas.setFontFace(c.face);
        canvas.setFontSize(14);
        canvas.setFontStyle(c.style);
        for (int i = 0; i < c.count; ++i)
            canvas.drawText(
                QRect(c.first.x() + 6 * i, c.first.y(), canvas.textWidth("."), canvas.textHeight()),
                ".", HAlign::Left, false);
        canvas.close();
        ASSERT_EQ(DotRows(one).size(), 1u);
        for (const double scale : {1.0, 1031.0 / 885, 2480.0 / 885})
            EXPECT_EQ(RasterPage(one, scale), RasterPage(separate, scale))
                << c.face << " at scale " << scale;
        EXPECT_EQ(ComposePreviewPicture(QImage(), one), ComposePreviewPicture(QImage(), separate))
            << c.face;
    }
}
