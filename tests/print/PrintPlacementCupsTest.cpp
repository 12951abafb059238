// Where the print lands on paper, end to end through the cups-pdf queues made by
// scripts/cups-pdf-queue: "VLM_PDF", whose printable area is the whole sheet,
// "VLM_PDF_MARGIN", 18 pt unprintable on every side, and "VLM_PDF_UNEVEN" and
// "VLM_PDF_UNEVEN_2", whose four unprintable margins all differ. The print window prints
// A4 portrait and A3 landscape, one-sided and two-sided with the second side half-turned;
// cups-pdf writes the PDFs, pdftoppm renders them and the ink is measured in millimetres
// from the paper's edges against the figures written below.
#include "forms/FormRegistry.h"
#include "main/DocumentFormSource.h"
#include "render/DrukujWindow.h"
#include "render/PageCanvas.h"
#include "render/RenderPages.h"
#include "tests/print/CupsQueue.h"
#include "tests/render/RenderFixtures.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <QTransform>
#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {

constexpr double kToleranceMm = 0.25;
constexpr double kMmPerPoint = 25.4 / 72;

// The unprintable margins at the left and top of the page as it lies on the sheet, in
// points. A queue declares its margins for the portrait sheet; a landscape page lies on it
// turned a quarter anticlockwise, its left edge along the sheet's bottom edge and its top
// edge along the sheet's left edge.
struct Corner {
    double left, top;
};

struct Queue {
    const char* name;
    Corner portrait;
    Corner landscape;
};

const Queue kQueues[] = {
    {"VLM_PDF", {0, 0}, {0, 0}},
    {"VLM_PDF_MARGIN", {18, 18}, {18, 18}},
    {"VLM_PDF_UNEVEN", {11, 33}, {25, 11}},  // left 11, bottom 25, right 6, top 33 pt
    {"VLM_PDF_UNEVEN_2", {29, 3}, {7, 29}},  // left 29, bottom 7, right 17, top 3 pt
};

// Paper and the placement of pages 1 to 3 (left, top, right, bottom in mm) a test prints.
struct Sheet {
    const char* name;
    bool landscape;
    std::array<MarginRect, 3> placement;
};

const Sheet kA4Portrait{
    "A4Portrait", false, {{{12, 15, 195, 280}, {10, 12, 197, 284}, {14, 11, 199, 283}}}};
// Pages 2 and 3 share the second side, page 2 on the right half.
const Sheet kA3Landscape{
    "A3Landscape", true, {{{12, 15, 195, 280}, {222, 9, 405, 276}, {14, 11, 199, 283}}}};

struct PrintCase {
    Queue queue;
    Sheet sheet;
    bool twoSided;
};

std::string CaseName(const ::testing::TestParamInfo<PrintCase>& info)
{
    return std::string(info.param.queue.name) + "_" + info.param.sheet.name +
           (info.param.twoSided ? "_TwoSided" : "_OneSided");
}

void PrintTo(const PrintCase& c, std::ostream* out)
{
    *out << c.queue.name << ", " << c.sheet.name << (c.twoSided ? ", two-sided" : ", one-sided");
}

std::vector<PrintCase> AllCases()
{
    std::vector<PrintCase> cases;
    for (const Queue& queue : kQueues)
        for (const Sheet& sheet : {kA4Portrait, kA3Landscape})
            for (bool twoSided : {false, true})
                cases.push_back({queue, sheet, twoSided});
    return cases;
}

// Where the frame of a page image (its edges) lies on the sheet, mm from the paper's left
// and top edges: left and top at the placement's millimetres, right and bottom at the
// placement's millimetres counted from the printable area's corner, that is the margin at
// the page's left and top further out.
struct Frame {
    double left, top, right, bottom;
};

Frame FrameOf(const MarginRect& mm, const Corner& margin)
{
    return {double(mm.X1), double(mm.Y1), mm.X2 + margin.left * kMmPerPoint,
            mm.Y2 + margin.top * kMmPerPoint};
}

// The half-turn moves a point (x, y) of the 885 × 1314 page image to (879 − x, 1299 − y).
constexpr double kTurnX = 879;
constexpr double kTurnY = 1299;

double PixelsToMm(double pixels, int dpi)
{
    return pixels * 25.4 / dpi;
}

int MmToPixels(double mm, int dpi)
{
    return static_cast<int>(std::lround(mm / 25.4 * dpi));
}

// Any visible ink: the rounded extremes of letters cover their pixels only in part.
bool Ink(const QImage& picture, int x, int y)
{
    return picture.constScanLine(y)[x] < 224;
}

// The bounds of the ink in `area` of the picture, in pixels; empty when there is none.
QRect InkBounds(const QImage& picture, const QRect& area)
{
    const QRect inside = area & picture.rect();
    int left = INT_MAX, top = INT_MAX, right = -1, bottom = -1;
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x)
            if (Ink(picture, x, y)) {
                left = std::min(left, x);
                right = std::max(right, x);
                top = std::min(top, y);
                bottom = std::max(bottom, y);
            }
    return right < 0 ? QRect() : QRect(QPoint(left, top), QPoint(right, bottom));
}

// Where a text run's ink lies on its page (page units): its glyphs' outlines measured in
// the same face a hundred times larger, where whole-pixel rounding of glyph boxes no longer
// shows, around the baseline the text cell puts below the box top: the font's ascent
// rounded up to a whole unit.
QRectF InkOnPage(const TextRun& run)
{
    const QFontMetricsF metrics(run.font);
    const double advance = metrics.horizontalAdvance(run.text);
    const double right = run.box.x() + run.box.width();
    const double start = run.align == HAlign::Right    ? right - advance
                         : run.align == HAlign::Center ? (run.box.x() + right - advance) / 2
                                                       : run.box.x();
    constexpr int kMagnify = 100;
    QFont large = run.font;
    large.setPixelSize(run.font.pixelSize() * kMagnify);
    const QRectF outline = QFontMetricsF(large).tightBoundingRect(run.text);
    const QRectF unit(outline.left() / kMagnify, outline.top() / kMagnify,
                      outline.width() / kMagnify, outline.height() / kMagnify);
    return unit.translated(start, run.box.top() + std::ceil(metrics.ascent()));
}

// One printed sheet side: its picture as the page lies (a landscape page turned back from
// the portrait sheet CUPS prints it on), and the pages drawn on it.
struct Side {
    QImage picture;
    std::vector<int> pages;
    bool turned;
};

class PrintPlacementTest : public CupsPrintFixture,
                           public ::testing::WithParamInterface<PrintCase> {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    void SetUp() override
    {
        if (const QString missing = MissingPrintTools(queueName()); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        dialogs.setFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
        folders.copyFactoryFiles();
        for (const char* file : {"ustawienia.sqset", "vlm_kalibracja.sqset"})
            std::filesystem::copy_file(folders.programFile(file), folders.dataFile(file));
        jobs.emplace();
    }

    // The resolution the PDFs are rendered at: fine enough for where a letter's ink begins.
    int dpi = 600;

    QString queueName() const { return QString::fromLatin1(GetParam().queue.name); }
    const Sheet& sheet() const { return GetParam().sheet; }
    const Corner& margin() const
    {
        return sheet().landscape ? GetParam().queue.landscape : GetParam().queue.portrait;
    }

    // The picture of one page of a PDF as the page lies: the spooler hands a landscape
    // page over as a portrait sheet with the page turned a quarter anticlockwise.
    QImage sheetPicture(const QString& pdf, int page)
    {
        QImage picture = PdfPicture(pdf, page, dpi);
        if (sheet().landscape && picture.width() < picture.height())
            picture = picture.transformed(QTransform().rotate(90));
        return picture;
    }

    // Prints `pageCount` pages through the print window with the sheet's placement, one- or
    // two-sided with the second side half-turned, and returns the printed sides.
    std::vector<Side> print(int pageCount)
    {
        window.setPrintJob(pageCount, !sheet().landscape, !sheet().landscape);
        window.FormShow();
        window.DrukarkiComboBox->setCurrentIndex(window.DrukarkiComboBox->findText(queueName()));
        window.DrukarkiComboBoxChange();
        window.PageSizeComboBox->setCurrentIndex(sheet().landscape ? 0 : 1);
        window.PageOrientationComboBox->setCurrentIndex(sheet().landscape ? 0 : 1);
        window.DuplexComboBox->setEnabled(true);
        window.DuplexComboBox->setCurrentIndex(GetParam().twoSided ? 1 : 0);
        window.cbRotateSecondPage->setEnabled(true);
        window.cbRotateSecondPage->setChecked(true);
        for (int page = 0; page < 3; ++page) {
            const MarginRect& mm = sheet().placement[page];
            const int edges[] = {mm.X1, mm.Y1, mm.X2, mm.Y2};
            for (int edge = 0; edge < 4; ++edge)
                window.StronaEdit[page][edge]->setText(QString::number(edges[edge]));
        }
        if (!GetParam().twoSided)
            dialogs.answerMessage(Answer::Ok);  // the page-turn prompt
        window.DrukujButtonClick();
        EXPECT_EQ(window.result(), QDialog::Accepted) << "the print went through";

        std::vector<int> back{2};
        if (pageCount == 3)
            back.push_back(3);
        std::vector<Side> sides;
        if (GetParam().twoSided) {
            const QString pdf = jobs->waitFor(QStringLiteral("TOVRIX"));
            EXPECT_FALSE(pdf.isEmpty())
                << "no PDF of the job TOVRIX in " << jobs->folder().toStdString();
            if (!pdf.isEmpty())
                sides = {{sheetPicture(pdf, 1), {1}, false}, {sheetPicture(pdf, 2), back, true}};
        } else {
            const QString first = jobs->waitFor(QStringLiteral("TOVRIX 1"));
            const QString second = jobs->waitFor(QStringLiteral("TOVRIX 2"));
            EXPECT_FALSE(first.isEmpty() || second.isEmpty())
                << "PDFs of TOVRIX 1 and 2 in " << jobs->folder().toStdString();
            if (!first.isEmpty() && !second.isEmpty())
                sides = {{sheetPicture(first, 1), {1}, false},
                         {sheetPicture(second, 1), back, false}};
        }
        return sides;
    }

    // A point of page `page`'s image (page units) on the sheet, mm from the paper's edges;
    // on a half-turned side, on the sheet turned back by a half-turn of the whole paper
    // (`paper`: its size in mm).
    QPointF onSheet(int page, QPointF unit, bool turned, QSizeF paper) const
    {
        const Frame frame = FrameOf(sheet().placement[page - 1], margin());
        const double across = (frame.right - frame.left) / PageImage::kWidth;
        const double down = (frame.bottom - frame.top) / PageImage::kHeight;
        if (!turned)
            return {frame.left + unit.x() * across, frame.top + unit.y() * down};
        return {paper.width() - (frame.left + (kTurnX - unit.x()) * across),
                paper.height() - (frame.top + (kTurnY - unit.y()) * down)};
    }

    // The largest distances in mm, across and down, between where a text's ink begins
    // (left and top) and where its position on its page and the page's frame put it, over
    // the pages of one printed side.
    struct Deviation {
        double across = 0;
        double down = 0;
        int checked = 0;
    };

    Deviation textDeviation(const Side& side)
    {
        // A half-turned side is measured turned back, so a text's ink begins where it began
        // on the page.
        const QImage picture = side.turned ? side.picture.mirrored(true, true) : side.picture;
        Deviation deviation;
        for (int page : side.pages)
            textDeviation(picture, page, side.turned, deviation);
        return deviation;
    }

    void textDeviation(const QImage& picture, int page, bool turned, Deviation& deviation)
    {
        // Each text's ink on the sheet (mm) as its font puts it on the page; only the
        // left-aligned ones are measured, the others only keep their neighbours out.
        struct Expected {
            QString text;
            QRectF ink;
            bool measured;
        };
        std::vector<Expected> texts;
        for (const TextRun& run : TextRuns(pages[page - 1])) {
            if (run.text.trimmed().isEmpty())
                continue;
            const QRectF ink = InkOnPage(run);
            const QSizeF paper(PixelsToMm(picture.width(), dpi), PixelsToMm(picture.height(), dpi));
            texts.push_back({run.text,
                             QRectF(onSheet(page, ink.topLeft(), turned, paper),
                                    onSheet(page, ink.bottomRight(), turned, paper)),
                             run.align == HAlign::Left});
        }

        constexpr double kSlackMm = 0.6;
        for (const Expected& text : texts) {
            if (!text.measured)
                continue;
            // The text's own band, opened by the slack towards where its ink begins; a text
            // with another one inside that band (an ending right after its word) is left out.
            const QRectF band = text.ink.adjusted(-kSlackMm, -kSlackMm, 0, 0);
            const bool crowded = std::ranges::any_of(texts, [&](const Expected& other) {
                return &other != &text && other.ink.intersects(band);
            });
            if (crowded)
                continue;
            const QRect got = InkBounds(
                picture,
                QRect(QPoint(MmToPixels(band.left(), dpi), MmToPixels(band.top(), dpi)),
                      QPoint(MmToPixels(band.right(), dpi), MmToPixels(band.bottom(), dpi))));
            if (got.isEmpty()) {
                ADD_FAILURE() << "page " << page << ", " << text.text.toStdString() << ": no ink";
                continue;
            }
            const double dx = PixelsToMm(got.left(), dpi) - text.ink.left();
            const double dy = PixelsToMm(got.top(), dpi) - text.ink.top();
            EXPECT_LE(std::abs(dx), kToleranceMm)
                << "page " << page << ", " << text.text.toStdString() << " left";
            EXPECT_LE(std::abs(dy), kToleranceMm)
                << "page " << page << ", " << text.text.toStdString() << " top";
            deviation.across = std::max(deviation.across, std::abs(dx));
            deviation.down = std::max(deviation.down, std::abs(dy));
            ++deviation.checked;
        }
    }

    // Composes the form's document, prints it and reports the largest text deviations.
    void printDocument(const char* formClass, int type, int pageCount)
    {
        FormRegistry registry;
        DocumentForm* form = registry.form(QString::fromLatin1(formClass));
        ASSERT_NE(form, nullptr);
        form->FillSampleData();
        const DocumentFormSource source(*form);
        host.options.printNoDots = true;
        RenderContext context = host.context();
        ASSERT_TRUE(RenderPages(context, source, RenderPreview, type, pageCount, !sheet().landscape,
                                !sheet().landscape));
        const std::vector<Side> sides = print(pageCount);
        ASSERT_EQ(sides.size(), 2u);
        for (std::size_t s = 0; s < sides.size(); ++s) {
            const Deviation deviation = textDeviation(sides[s]);
            EXPECT_GT(deviation.checked, 10) << "side " << s + 1;
            std::printf("%s: %s side %zu: %d texts off by at most %.3f mm across, %.3f mm down\n",
                        CaseName({GetParam(), 0}).c_str(), formClass, s + 1, deviation.checked,
                        deviation.across, deviation.down);
        }
    }
};

TEST_P(PrintPlacementTest, FramesOnThePageImageEdgesLandWhereThePlacementPutsThem)
{
    dpi = 300;  // a frame's straight edges need less
    for (int page = 1; page <= 2; ++page) {
        PageCanvas canvas;
        canvas.open(pages[page - 1]);
        constexpr int kPen = 4;  // the frame's outer edge lies on the page image's edge
        canvas.setPenWidth(kPen);
        canvas.rectangle(kPen / 2, kPen / 2, PageImage::kWidth - kPen / 2,
                         PageImage::kHeight - kPen / 2);
        canvas.close();
    }
    const std::vector<Side> sides = print(2);
    ASSERT_EQ(sides.size(), 2u);
    double largest = 0;
    for (const Side& side : sides) {
        ASSERT_FALSE(side.picture.isNull());
        const int page = side.pages.front();
        // The frame's edges are the page image's edges; half-turned, the image's edges 0
        // and 885 land at 879 and −6, 0 and 1314 at 1299 and −15.
        const Frame placed = FrameOf(sheet().placement[page - 1], margin());
        const double across = (placed.right - placed.left) / PageImage::kWidth;
        const double down = (placed.bottom - placed.top) / PageImage::kHeight;
        const Frame want = side.turned
                               ? Frame{placed.left + (kTurnX - PageImage::kWidth) * across,
                                       placed.top + (kTurnY - PageImage::kHeight) * down,
                                       placed.left + kTurnX * across, placed.top + kTurnY * down}
                               : placed;
        const QRect ink = InkBounds(side.picture, side.picture.rect());
        ASSERT_FALSE(ink.isEmpty());
        const Frame got{PixelsToMm(ink.left(), dpi), PixelsToMm(ink.top(), dpi),
                        PixelsToMm(ink.right() + 1, dpi), PixelsToMm(ink.bottom() + 1, dpi)};
        EXPECT_NEAR(got.left, want.left, kToleranceMm) << "page " << page;
        EXPECT_NEAR(got.top, want.top, kToleranceMm) << "page " << page;
        EXPECT_NEAR(got.right, want.right, kToleranceMm) << "page " << page;
        EXPECT_NEAR(got.bottom, want.bottom, kToleranceMm) << "page " << page;
        largest = std::max({largest, std::abs(got.left - want.left), std::abs(got.top - want.top),
                            std::abs(got.right - want.right), std::abs(got.bottom - want.bottom)});
    }
    std::printf("%s: frame edges off by at most %.3f mm\n", CaseName({GetParam(), 0}).c_str(),
                largest);
}

// ART-II/205/3 on A4 portrait, ART-II/204/3 on A3 landscape: the certificates whose paper
// the sheet is.
TEST_P(PrintPlacementTest, CertificateTextsLandWhereTheirPlaceOnThePageSays)
{
    if (sheet().landscape)
        printDocument("TFSwiad204", 10, 3);
    else
        printDocument("TFSwiad205kl1", 12, 2);
}

INSTANTIATE_TEST_SUITE_P(Queues, PrintPlacementTest, ::testing::ValuesIn(AllCases()), CaseName);

}  // namespace
