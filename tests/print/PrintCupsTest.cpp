// End to end through the CUPS queue "VLM_PDF" (cups-pdf backend, made by
// scripts/cups-pdf-queue): the print window prints to it and the PDFs that cups-pdf
// writes are read back with poppler's pdfinfo and pdftoppm.
#include "render/DrukujWindow.h"
#include "render/PageCanvas.h"
#include "tests/print/CupsQueue.h"
#include "tests/render/RenderFixtures.h"
#include "tests/support/TempFolders.h"
#include "platform/ScriptedDialogs.h"
#include "store/Records.h"

#include <QComboBox>
#include <QRegularExpression>
#include <gtest/gtest.h>

#include <filesystem>
#include <optional>

namespace {

const QString kQueue = kWholeSheetQueue;

// The bar of page n runs across the page at this height (page units).
int BarY(int page)
{
    return 130 + 250 * (page - 1);
}

constexpr int kRasterDpi = 36;

QRect InkBounds(const QImage& picture)
{
    QRect bounds;
    for (int y = 0; y < picture.height(); ++y)
        for (int x = 0; x < picture.width(); ++x)
            if (qGray(picture.pixel(x, y)) < 128)
                bounds |= QRect(x, y, 1, 1);
    return bounds;
}

// The pages (1 to 4) whose bars a portrait sheet printed with `set` shows.
std::vector<int> BarsOn(const QImage& picture, const MarginRect& set)
{
    std::vector<int> found;
    for (int page = 1; page <= 4; ++page) {
        const double mm = set.Y1 + BarY(page) * double(set.Y2 - set.Y1) / PageImage::kHeight;
        const int row = int(mm / 25.4 * kRasterDpi);
        bool ink = false;
        for (int y = std::max(0, row - 3); y <= std::min(picture.height() - 1, row + 3) && !ink;
             ++y)
            for (int x = 0; x < picture.width() && !ink; ++x)
                ink = qGray(picture.pixel(x, y)) < 128;
        if (ink)
            found.push_back(page);
    }
    return found;
}

class PrintCupsTest : public CupsPrintFixture {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    void SetUp() override
    {
        if (const QString missing = MissingPrintTools(kQueue); !missing.isEmpty())
            GTEST_SKIP() << missing.toStdString();
        dialogs.setFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
        folders.copyFactoryFiles();
        std::filesystem::copy_file(folders.programFile("ustawienia.sqset"),
                                   folders.dataFile("ustawienia.sqset"));
        jobs.emplace();
    }

    QString waitForPdf(const QString& job) { return jobs->waitFor(job); }

    // Page n carries a bar 600 × 60 page units at its own height (see BarsOn).
    void markPages(int n)
    {
        for (int page = 1; page <= n; ++page) {
            PageCanvas canvas;
            canvas.open(pages[page - 1]);
            canvas.setPenWidth(30);
            const int y = BarY(page);
            canvas.rectangle(100, y - 15, 700, y + 15);
            canvas.close();
        }
    }

    // Shows the window on the queue with the first margin set ("A4 pionowo") and presses "Drukuj".
    void print(int pageCount, int duplexIndex)
    {
        window.setPrintJob(pageCount, true, true);
        window.FormShow();
        window.DrukarkiComboBox->setCurrentIndex(window.DrukarkiComboBox->findText(kQueue));
        window.DrukarkiComboBoxChange();
        if (duplexIndex > 0) {
            window.DuplexComboBox->setEnabled(true);
            window.DuplexComboBox->setCurrentIndex(duplexIndex);
        }
        window.DrukujButtonClick();
        EXPECT_EQ(window.result(), QDialog::Accepted) << "the print went through";
    }
};

TEST_F(PrintCupsTest, FourPagesTwoSidedAreOneJobOfTwoSides)
{
    markPages(4);
    print(4, 1);
    const QString pdf = waitForPdf(QStringLiteral("TOVRIX"));
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF of the job TOVRIX in " << jobs->folder().toStdString();
    EXPECT_TRUE(RunTool("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+2\\n")));
    EXPECT_EQ(BarsOn(PdfPicture(pdf, 1, kRasterDpi), window.pageRect(1)), (std::vector<int>{1, 4}));
    EXPECT_EQ(BarsOn(PdfPicture(pdf, 2, kRasterDpi), window.pageRect(1)), (std::vector<int>{2, 3}));
}

TEST_F(PrintCupsTest, OneSidedThreePagesAreTwoJobsWithOnePrompt)
{
    markPages(3);
    dialogs.answerMessage(Answer::Ok);
    print(3, 0);
    EXPECT_EQ(dialogs.requestsOf(DialogKind::Message).size(), 1u);
    const QString first = waitForPdf(QStringLiteral("TOVRIX 1"));
    const QString second = waitForPdf(QStringLiteral("TOVRIX 2"));
    ASSERT_FALSE(first.isEmpty() || second.isEmpty())
        << "PDFs of TOVRIX 1 and TOVRIX 2 in " << jobs->folder().toStdString();
    EXPECT_EQ(BarsOn(PdfPicture(first, 1, kRasterDpi), window.pageRect(1)), std::vector<int>{1});
    EXPECT_EQ(BarsOn(PdfPicture(second, 1, kRasterDpi), window.pageRect(1)),
              (std::vector<int>{2, 3}));
}

TEST_F(PrintCupsTest, A3LandscapeWhereTheWindowSaysSo)
{
    markPages(1);
    window.setPrintJob(1, false, false);
    window.FormShow();
    window.DrukarkiComboBox->setCurrentIndex(window.DrukarkiComboBox->findText(kQueue));
    window.DrukarkiComboBoxChange();
    window.PageSizeComboBox->setCurrentIndex(0);
    window.PageOrientationComboBox->setCurrentIndex(0);
    window.DrukujButtonClick();
    const QString pdf = waitForPdf(QStringLiteral("TOVRIX"));
    ASSERT_FALSE(pdf.isEmpty());
    const QString info = RunTool("pdfinfo", {pdf});
    const auto size = QRegularExpression("Page size:\\s+([\\d.]+) x ([\\d.]+) pts").match(info);
    ASSERT_TRUE(size.hasMatch()) << info.toStdString();
    const double width = size.captured(1).toDouble();
    const double height = size.captured(2).toDouble();
    EXPECT_NEAR(std::max(width, height), 1190.55, 1.0) << "A3 is 420 mm long";
    EXPECT_NEAR(std::min(width, height), 841.89, 1.0) << "and 297 mm wide";
    // The spooler may hand a landscape job over as a portrait sheet with its content turned:
    // the bar runs along the sheet's long side either way.
    const QRect bar = InkBounds(PdfPicture(pdf, 1, kRasterDpi));
    ASSERT_FALSE(bar.isEmpty());
    EXPECT_EQ(width > height, bar.width() > bar.height())
        << "the bar runs across the landscape page";
}

}  // namespace
