// Where the print lands on paper, end to end through two cups-pdf queues (made by
// scripts/cups-pdf-queue): "VLM_PDF", whose printable area is the whole sheet, and
// "VLM_PDF_MARGIN", whose printable area leaves 18 pt (6.35 mm) on every side. The print
// window prints a page, cups-pdf writes the PDF, pdftoppm renders it and the ink is
// measured in millimetres from the paper's edges against the figures written below.
#include "forms/FormRegistry.h"
#include "render/DocumentFormSource.h"
#include "render/DrukujWindow.h"
#include "render/PageCanvas.h"
#include "render/RenderPages.h"
#include "tests/print/CupsQueue.h"
#include "tests/render/RenderFixtures.h"
#include "tests/support/TempFolders.h"
#include "platform/ScriptedDialogs.h"

#include <QComboBox>
#include <QFontMetricsF>
#include <QLineEdit>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <optional>

namespace {

constexpr int kDpi = 600;
constexpr double kToleranceMm = 0.25;

// The placement every test prints page 1 with: left, top, right, bottom in mm.
constexpr MarginRect kPlacement{12, 15, 195, 280};

// Where the page image's edges land on the sheet, mm from the paper's left and top edges.
// Left and top lie at the placement's millimetres; right and bottom at the placement's
// millimetres counted from the printable area's corner, that is the queue's unprintable
// margin further out.
struct Sheet {
    double left, top, right, bottom;
};

struct QueueCase {
    const char* queue;
    Sheet frame;
};

void PrintTo(const QueueCase& c, std::ostream* out)
{
    *out << c.queue;
}

const QueueCase kQueues[] = {
    {"VLM_PDF", {12.0, 15.0, 195.0, 280.0}},
    {"VLM_PDF_MARGIN", {12.0, 15.0, 201.35, 286.35}},
};

double PixelsToMm(double pixels)
{
    return pixels * 25.4 / kDpi;
}

int MmToPixels(double mm)
{
    return static_cast<int>(std::lround(mm / 25.4 * kDpi));
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
// shows, around the baseline its own font's ascent puts below the box top.
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
    const QRectF unit(outline.left() / kMagnify, outline.top() / kMagnify, outline.width() / kMagnify,
                      outline.height() / kMagnify);
    return unit.translated(start, run.box.top() + metrics.ascent());
}

class PrintPlacementTest : public CupsPrintFixture, public ::testing::WithParamInterface<QueueCase> {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    void SetUp() override
    {
        if (const QString missing = MissingPrintTools(queue()); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        dialogs.setFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
        folders.copyFactoryFiles();
        for (const char* file : {"ustawienia.sqset", "vlm_kalibracja.sqset"})
            std::filesystem::copy_file(folders.programFile(file), folders.dataFile(file));
        jobs.emplace();
    }

    QString queue() const { return QString::fromLatin1(GetParam().queue); }

    // Prints page 1 with kPlacement on A4 portrait and renders the PDF's page.
    QImage printPageOne()
    {
        window.setPrintJob(1, true, true);
        window.FormShow();
        window.DrukarkiComboBox->setCurrentIndex(window.DrukarkiComboBox->findText(queue()));
        window.DrukarkiComboBoxChange();
        window.PageSizeComboBox->setCurrentIndex(1);
        window.PageOrientationComboBox->setCurrentIndex(1);
        const int edges[] = {kPlacement.X1, kPlacement.Y1, kPlacement.X2, kPlacement.Y2};
        for (int edge = 0; edge < 4; ++edge)
            window.StronaEdit[0][edge]->setText(QString::number(edges[edge]));
        window.DrukujButtonClick();
        EXPECT_EQ(window.result(), QDialog::Accepted) << "the print went through";
        const QString pdf = jobs->waitFor(QStringLiteral("TOVRIX"));
        EXPECT_FALSE(pdf.isEmpty()) << "no PDF of the job TOVRIX in " << jobs->folder().toStdString();
        return pdf.isEmpty() ? QImage() : PdfPicture(pdf, 1, kDpi);
    }

    // A point of the page image (page units) on the sheet, mm from the paper's edges.
    QPointF onSheet(QPointF unit) const
    {
        const Sheet& frame = GetParam().frame;
        return {frame.left + unit.x() * (frame.right - frame.left) / PageImage::kWidth,
                frame.top + unit.y() * (frame.bottom - frame.top) / PageImage::kHeight};
    }

    // Composes page 1 of the form's document, prints it and returns the largest distance
    // in mm between where a text's ink begins (left and top) and where its position on
    // the page and the frame above put it.
    double largestTextDeviation(const char* formClass, int type, int pageCount)
    {
        FormRegistry registry;
        DocumentForm* form = registry.form(QString::fromLatin1(formClass));
        EXPECT_NE(form, nullptr);
        if (!form)
            return INFINITY;
        form->FillSampleData();
        const DocumentFormSource source(*form);
        host.options.printNoDots = true;
        RenderContext context = host.context();
        EXPECT_TRUE(RenderPages(context, source, RenderPreview, type, pageCount, true, true));
        const QImage printed = printPageOne();
        EXPECT_FALSE(printed.isNull());
        if (printed.isNull())
            return INFINITY;

        // Each text's ink on the sheet (mm) as its font puts it on the page; only the
        // left-aligned ones are measured, the others only keep their neighbours out.
        struct Expected {
            QString text;
            QRectF ink;
            bool measured;
        };
        std::vector<Expected> texts;
        for (const TextRun& run : TextRuns(pages[0])) {
            if (run.text.trimmed().isEmpty())
                continue;
            const QRectF ink = InkOnPage(run);
            texts.push_back({run.text, QRectF(onSheet(ink.topLeft()), onSheet(ink.bottomRight())),
                             run.align == HAlign::Left});
        }

        double largest = 0;
        int checked = 0;
        constexpr double kSlackMm = 0.6;
        for (const Expected& text : texts) {
            if (!text.measured)
                continue;
            // The text's own band, opened by the slack towards where its ink begins; a text
            // with another one inside that band (an ending right after its word) is left out.
            const QRectF band = text.ink.adjusted(-kSlackMm, -kSlackMm, 0, 0);
            const bool crowded = std::ranges::any_of(
                texts, [&](const Expected& other) { return &other != &text && other.ink.intersects(band); });
            if (crowded)
                continue;
            const QRect got = InkBounds(printed, QRect(QPoint(MmToPixels(band.left()), MmToPixels(band.top())),
                                                       QPoint(MmToPixels(band.right()), MmToPixels(band.bottom()))));
            if (got.isEmpty()) {
                ADD_FAILURE() << text.text.toStdString() << ": no ink";
                continue;
            }
            const double dx = PixelsToMm(got.left()) - text.ink.left();
            const double dy = PixelsToMm(got.top()) - text.ink.top();
            EXPECT_LE(std::abs(dx), kToleranceMm) << text.text.toStdString() << " left";
            EXPECT_LE(std::abs(dy), kToleranceMm) << text.text.toStdString() << " top";
            largest = std::max({largest, std::abs(dx), std::abs(dy)});
            ++checked;
        }
        EXPECT_GT(checked, 10);
        return largest;
    }

};

TEST_P(PrintPlacementTest, FrameOnThePageImageEdgesLandsWhereThePlacementPutsIt)
{
    PageCanvas canvas;
    canvas.open(pages[0]);
    constexpr int kPen = 4;   // the frame's outer edge lies on the page image's edge
    canvas.setPenWidth(kPen);
    canvas.rectangle(kPen / 2, kPen / 2, PageImage::kWidth - kPen / 2, PageImage::kHeight - kPen / 2);
    canvas.close();

    const QImage printed = printPageOne();
    ASSERT_FALSE(printed.isNull());
    const QRect ink = InkBounds(printed, printed.rect());
    ASSERT_FALSE(ink.isEmpty());
    const Sheet& want = GetParam().frame;
    const Sheet got{PixelsToMm(ink.left()), PixelsToMm(ink.top()), PixelsToMm(ink.right() + 1),
                    PixelsToMm(ink.bottom() + 1)};
    EXPECT_NEAR(got.left, want.left, kToleranceMm);
    EXPECT_NEAR(got.top, want.top, kToleranceMm);
    EXPECT_NEAR(got.right, want.right, kToleranceMm);
    EXPECT_NEAR(got.bottom, want.bottom, kToleranceMm);
    const double largest = std::max({std::abs(got.left - want.left), std::abs(got.top - want.top),
                                     std::abs(got.right - want.right), std::abs(got.bottom - want.bottom)});
    std::printf("%s: frame edges off by at most %.3f mm\n", GetParam().queue, largest);
}

TEST_P(PrintPlacementTest, CertificateTextsLandWhereTheirPlaceOnThePageSays)
{
    const double largest = largestTextDeviation("TFSwiad205kl1", 12, 2);
    std::printf("%s: ART-II/205/3 texts off by at most %.3f mm\n", GetParam().queue, largest);
}

TEST_P(PrintPlacementTest, GradeSheetTextsLandWhereTheirPlaceOnThePageSays)
{
    const double largest = largestTextDeviation("TFArkusz283str1", 24, 1);
    std::printf("%s: ART-II/283/3 texts off by at most %.3f mm\n", GetParam().queue, largest);
}

INSTANTIATE_TEST_SUITE_P(Queues, PrintPlacementTest, ::testing::ValuesIn(kQueues),
                         [](const ::testing::TestParamInfo<QueueCase>& info) {
                             return std::string(info.param.queue);
                         });

}  // namespace
