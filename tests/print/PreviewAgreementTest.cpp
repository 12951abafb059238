// The preview shows each text where the print puts it. A text's place is taken as the
// centre of its ink (weighted by coverage, so thin serifs and the preview's coarse pixels do
// not bias it): in the preview picture, and in the same text drawn alone at print
// resolution at the place its run gives it on the page, which the end-to-end print tests
// find on paper. Both are compared at the print's scale.
#include "forms/FormRegistry.h"
#include "main/DocumentFormSource.h"
#include "render/PagePreviews.h"
#include "render/RenderPages.h"
#include "tests/render/RenderFixtures.h"
#include "tests/support/TempFolders.h"

#include <QPainter>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>

namespace {

// A page unit on an A4 sheet across its whole width, the most it ever prints as.
constexpr double kMmPerUnit = 210.0 / 885.0;
constexpr double kToleranceMm = 0.25;
constexpr int kPrintScale = 12;  // picture pixels per page unit for the print-like drawing

// The coverage-weighted centre of the ink of `area` in a grey picture.
QPointF InkCentre(const QImage& picture, const QRect& area)
{
    double sum = 0, sx = 0, sy = 0;
    const QRect inside = area & picture.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y)
        for (int x = inside.left(); x <= inside.right(); ++x) {
            const double ink = 255 - picture.constScanLine(y)[x];
            sum += ink;
            sx += ink * (x + 0.5);
            sy += ink * (y + 0.5);
        }
    return sum > 0 ? QPointF(sx / sum, sy / sum) : QPointF(-1, -1);
}

// The run drawn alone, page units magnified kPrintScale times: its ink centre in page units.
QPointF PrintedCentre(const TextRun& run, const QRect& area)
{
    QImage picture(area.size() * kPrintScale, QImage::Format_Grayscale8);
    picture.fill(Qt::white);
    QPainter painter(&picture);
    painter.scale(kPrintScale, kPrintScale);
    painter.translate(-area.topLeft());
    const Qt::Alignment across = run.align == HAlign::Right    ? Qt::AlignRight
                                 : run.align == HAlign::Center ? Qt::AlignHCenter
                                                               : Qt::AlignLeft;
    painter.setFont(run.font);
    painter.drawText(run.box, int(across | Qt::AlignTop | Qt::TextDontClip), run.text);
    painter.end();
    const QPointF centre = InkCentre(picture, picture.rect());
    return area.topLeft() + centre / kPrintScale;
}

TEST(PreviewAgreementTest, TextsInThePreviewLieWhereThePrintPutsThem)
{
    EnsureApplication();
    TempFolders folders;
    folders.copyFactoryFiles();
    std::filesystem::copy_file(folders.programFile("vlm_kalibracja.sqset"),
                               folders.dataFile("vlm_kalibracja.sqset"));
    FormRegistry registry;
    DocumentForm* form = registry.form(QStringLiteral("TFSwiad205kl1"));
    ASSERT_NE(form, nullptr);
    form->FillSampleData();
    const DocumentFormSource source(*form);
    FixtureMainWindow host;
    host.options.printNoDots = true;
    RenderContext context = host.context();
    ASSERT_TRUE(RenderPages(context, source, RenderPreview, 12, 2, true, true));

    const QImage preview =
        ComposePreviewPicture(QImage(), host.pages[0]).convertToFormat(QImage::Format_Grayscale8);
    const QRectF page(kPreviewPageRect);
    const double sx = page.width() / PageImage::kWidth, sy = page.height() / PageImage::kHeight;
    const std::vector<TextRun> runs = TextRuns(host.pages[0]);
    double largest = 0;
    int checked = 0;
    for (const TextRun& run : runs) {
        // The run's line; runs sharing it (a word and its ending) are taken together.
        QRect area = run.box.adjusted(-4, 0, 4, 0);
        bool alone = true;
        for (const TextRun& other : runs)
            alone = alone && (&other == &run || !other.box.intersects(area));
        if (!alone || run.text.trimmed().isEmpty())
            continue;
        const QPointF printed = PrintedCentre(run, area);
        const QRect shown = QRectF(page.left() + area.left() * sx, page.top() + area.top() * sy,
                                   area.width() * sx, area.height() * sy)
                                .toAlignedRect();
        const QPointF inPreview = InkCentre(preview, shown);
        const QPointF onPage((inPreview.x() - page.left()) / sx, (inPreview.y() - page.top()) / sy);
        const double dx = (onPage.x() - printed.x()) * kMmPerUnit;
        const double dy = (onPage.y() - printed.y()) * kMmPerUnit;
        EXPECT_LT(std::abs(dx), kToleranceMm) << run.text.toStdString();
        EXPECT_LT(std::abs(dy), kToleranceMm) << run.text.toStdString();
        largest = std::max({largest, std::abs(dx), std::abs(dy)});
        ++checked;
    }
    EXPECT_GT(checked, 20);
    std::printf("%d texts; the preview lies at most %.3f mm from the print\n", checked, largest);
}

}  // namespace
