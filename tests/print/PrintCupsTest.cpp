// End to end through the CUPS queue "VLM_PDF" (cups-pdf backend, made by
// scripts/cups-pdf-queue): the print window prints to it and the PDFs that cups-pdf
// writes are read back with poppler's pdfinfo and pdftotext.
#include "forms/FormRegistry.h"
#include "render/DocumentFormSource.h"
#include "render/DrukujWindow.h"
#include "render/PageCanvas.h"
#include "render/PrintCups.h"
#include "render/PrintPlan.h"
#include "render/RenderPages.h"
#include "tests/render/RenderFixtures.h"
#include "tests/support/TempFolders.h"
#include "platform/ScriptedDialogs.h"
#include "store/ErrorStream.h"
#include "store/Margins.h"
#include "store/Settings.h"

#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QFontMetrics>
#include <QPainter>
#include <QFile>
#include <QLineEdit>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

#include <filesystem>
#include <span>

namespace {

const QString kQueue = QStringLiteral("VLM_PDF");
constexpr int kPdfTimeoutMs = 90000;

// cups-pdf's "Out" folder for jobs of this user (${HOME} and ${USER} expanded).
QString PdfFolder()
{
    QString out = QStringLiteral("/var/spool/cups-pdf/${USER}");
    QFile conf(QStringLiteral("/etc/cups/cups-pdf.conf"));
    if (conf.open(QIODevice::ReadOnly)) {
        for (const QByteArray& raw : conf.readAll().split('\n')) {
            const QString line = QString::fromUtf8(raw).trimmed();
            if (line.startsWith(QStringLiteral("Out ")) || line.startsWith(QStringLiteral("Out\t")))
                out = line.mid(4).trimmed();
        }
    }
    const passwd* user = getpwuid(getuid());
    if (user) {
        out.replace(QStringLiteral("${HOME}"), QString::fromLocal8Bit(user->pw_dir));
        out.replace(QStringLiteral("${USER}"), QString::fromLocal8Bit(user->pw_name));
    }
    return out;
}

// The queue serves one print test at a time: cups-pdf names its files after the jobs.
class QueueLock {
public:
    QueueLock() : fd_(open("/tmp/vlm_pdf_queue.lock", O_CREAT | O_RDWR, 0666)) { if (fd_ >= 0) flock(fd_, LOCK_EX); }
    ~QueueLock()
    {
        if (fd_ >= 0)
            close(fd_);
    }

private:
    int fd_;
};

QString RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QStringList PdfFiles(const QString& folder)
{
    return QDir(folder).entryList({QStringLiteral("*.pdf")}, QDir::Files);
}

// Waits for a new file of the job from cups-pdf (one not in `known`): its name begins with
// the job name (spaces as "_") and pdfinfo reads it whole.
QString WaitForPdf(const QString& folder, const QString& job, const QStringList& known)
{
    const QString prefix = QString(job).replace(' ', '_');
    QDeadlineTimer deadline(kPdfTimeoutMs);
    while (!deadline.hasExpired()) {
        for (const QString& name : PdfFiles(folder)) {
            if (known.contains(name) || !name.startsWith(prefix))
                continue;
            // cups-pdf may add "-job_<id>" and more of the title after a double "_".
            const QString rest = QFileInfo(name).completeBaseName().mid(prefix.size());
            const bool sameJob = rest.isEmpty() || rest.startsWith('-') || rest.startsWith(QStringLiteral("__"));
            const QString path = QDir(folder).filePath(name);
            if (sameJob && !RunTool(QStringLiteral("pdfinfo"), {path}).isEmpty())
                return path;
        }
        QThread::msleep(200);
    }
    return {};
}

// The bar of page n runs across the page at this height (page units).
int BarY(int page)
{
    return 130 + 250 * (page - 1);
}

constexpr int kRasterDpi = 36;

// One PDF page rendered in grey at kRasterDpi.
QImage PdfPicture(const QString& pdf, int page, int dpi = kRasterDpi)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    RunTool(QStringLiteral("pdftoppm"), {"-r", QString::number(dpi), "-gray", "-f", QString::number(page), "-l",
                                         QString::number(page), "-singlefile", pdf, base});
    return QImage(base + QStringLiteral(".pgm"));
}

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
        for (int y = std::max(0, row - 3); y <= std::min(picture.height() - 1, row + 3) && !ink; ++y)
            for (int x = 0; x < picture.width() && !ink; ++x)
                ink = qGray(picture.pixel(x, y)) < 128;
        if (ink)
            found.push_back(page);
    }
    return found;
}

class PrintCupsTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { EnsureApplication(); }

    void SetUp() override
    {
        if (!QPrinterInfo::availablePrinterNames().contains(kQueue))
            GTEST_SKIP() << "no CUPS queue " << kQueue.toStdString()
                         << " (the scheduler is not running or scripts/cups-pdf-queue was not run)";
        for (const char* tool : {"pdfinfo", "pdftoppm"})
            if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
                GTEST_SKIP() << tool << " is missing (package poppler-utils)";
        dialogs.setFailureHandler([](const std::string& message) { ADD_FAILURE() << message; });
        folders.copyFactoryFiles();
        std::filesystem::copy_file(folders.programFile("ustawienia.sqset"), folders.dataFile("ustawienia.sqset"));
        std::filesystem::copy_file(folders.programFile("vlm_kalibracja.sqset"),
                                   folders.dataFile("vlm_kalibracja.sqset"));
        pdfFolder = PdfFolder();
        before = PdfFiles(pdfFolder);
    }

    // Only the files this test printed are removed; the folder may be a person's own.
    void TearDown() override
    {
        for (const QString& name : PdfFiles(pdfFolder))
            if (!before.contains(name) && name.startsWith(QStringLiteral("TOVRIX")))
                QFile::remove(QDir(pdfFolder).filePath(name));
    }

    QString waitForPdf(const QString& job)
    {
        const QString path = WaitForPdf(pdfFolder, job, before + taken);
        taken << QFileInfo(path).fileName();
        return path;
    }

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

    QueueLock lock;
    TempFolders folders;
    ScriptedDialogs dialogs;
    FixtureMainWindow host;
    PageImages& pages = host.pages;
    TFDrukuj window{pages, host.errors};
    QString pdfFolder;
    QStringList before;   // the folder's files before the test
    QStringList taken;    // the test's files already found
};

TEST_F(PrintCupsTest, FourPagesTwoSidedAreOneJobOfTwoSides)
{
    markPages(4);
    print(4, 1);
    const QString pdf = waitForPdf(QStringLiteral("TOVRIX"));
    ASSERT_FALSE(pdf.isEmpty()) << "no PDF of the job TOVRIX in " << pdfFolder.toStdString();
    EXPECT_TRUE(RunTool("pdfinfo", {pdf}).contains(QRegularExpression("Pages:\\s+2\\n")));
    EXPECT_EQ(BarsOn(PdfPicture(pdf, 1), window.pageRect(1)), (std::vector<int>{1, 4}));
    EXPECT_EQ(BarsOn(PdfPicture(pdf, 2), window.pageRect(1)), (std::vector<int>{2, 3}));
}

TEST_F(PrintCupsTest, OneSidedThreePagesAreTwoJobsWithOnePrompt)
{
    markPages(3);
    dialogs.answerMessage(Answer::Ok);
    print(3, 0);
    EXPECT_EQ(dialogs.requestsOf(DialogKind::Message).size(), 1u);
    const QString first = waitForPdf(QStringLiteral("TOVRIX 1"));
    const QString second = waitForPdf(QStringLiteral("TOVRIX 2"));
    ASSERT_FALSE(first.isEmpty() || second.isEmpty()) << "PDFs of TOVRIX 1 and TOVRIX 2 in " << pdfFolder.toStdString();
    EXPECT_EQ(BarsOn(PdfPicture(first, 1), window.pageRect(1)), std::vector<int>{1});
    EXPECT_EQ(BarsOn(PdfPicture(second, 1), window.pageRect(1)), (std::vector<int>{2, 3}));
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
    const QRect bar = InkBounds(PdfPicture(pdf, 1));
    ASSERT_FALSE(bar.isEmpty());
    EXPECT_EQ(width > height, bar.width() > bar.height()) << "the bar runs across the landscape page";
}

// The first column (or row) of `area` that holds ink, counted in the picture; −1 for none.
int FirstInk(const QImage& picture, const QRect& area, Qt::Orientation across)
{
    const QRect inside = area & picture.rect();
    const bool columns = across == Qt::Horizontal;
    const int outerFrom = columns ? inside.left() : inside.top();
    const int outerTo = columns ? inside.right() : inside.bottom();
    const int innerFrom = columns ? inside.top() : inside.left();
    const int innerTo = columns ? inside.bottom() : inside.right();
    for (int outer = outerFrom; outer <= outerTo; ++outer)
        for (int inner = innerFrom; inner <= innerTo; ++inner)
            if (qGray(columns ? picture.pixel(outer, inner) : picture.pixel(inner, outer)) < 128)
                return outer;
    return -1;
}

TEST_F(PrintCupsTest, CertificateWordsLieWhereTheirRectanglesAndTheMarginSetPlaceThem)
{
    FormRegistry registry;
    DocumentForm* form = registry.form(QStringLiteral("TFSwiad205kl1"));
    ASSERT_NE(form, nullptr);
    form->FillSampleData();
    const DocumentFormSource source(*form);
    RenderContext context = host.context();
    ASSERT_TRUE(RenderPages(context, source, RenderPreview, 12, 2, true, true));
    for (PageImage& page : std::span(pages).subspan(1))
        page = PageImage();

    print(1, 0);
    const QString pdf = waitForPdf(QStringLiteral("TOVRIX"));
    ASSERT_FALSE(pdf.isEmpty());
    constexpr int kDpi = 300;
    const QImage printed = PdfPicture(pdf, 1, kDpi);
    ASSERT_FALSE(printed.isNull());

    // The same page placed by the job's metrics and the margin set, drawn by Qt alone.
    PrintSystem::OpenFailure failure;
    int code = 0;
    std::unique_ptr<PrintSink> job = CupsPrintSystem().open(kQueue, failure, code);
    ASSERT_TRUE(job);
    job->applySettings(JobSettingsFromCombos(1, 1, 0));
    const PrintMetrics m = job->metrics();
    QImage expected(printed.size(), QImage::Format_RGB32);
    expected.fill(Qt::white);
    QPainter painter(&expected);
    painter.scale(double(kDpi) / m.dpiX, double(kDpi) / m.dpiY);
    painter.translate(m.offX, m.offY);
    const QRect target = PlacePage(window.pageRect(1), m);
    DrawPageImage(painter, target, pages[0], false);
    painter.end();

    // Each text's first ink on its line, in the printed sheet and in the reference.
    const QTransform toSheet = QTransform::fromScale(double(target.width()) / PageImage::kWidth,
                                                     double(target.height()) / PageImage::kHeight)
                             * QTransform::fromTranslate(target.x() + m.offX, target.y() + m.offY)
                             * QTransform::fromScale(double(kDpi) / m.dpiX, double(kDpi) / m.dpiY);
    const double tolerance = 0.25 / 25.4 * kDpi;
    int checked = 0;
    for (const PageItem& item : pages[0].items()) {
        const TextRun* run = std::get_if<TextRun>(&item);
        static const QRegularExpression word(QStringLiteral("^\\w\\w"));
        if (!run || run->align != HAlign::Left || !run->text.contains(word))
            continue;
        const QRect box = toSheet.mapRect(QRect(run->box.topLeft(), QSize(run->box.width(), QFontMetrics(run->font).height())));
        const int slack = int(tolerance) + 2;
        for (Qt::Orientation across : {Qt::Horizontal, Qt::Vertical}) {
            const QRect from = across == Qt::Horizontal ? box.adjusted(-slack, 0, 0, 0) : box.adjusted(0, -slack, 0, 0);
            const int want = FirstInk(expected, from, across);
            const int got = FirstInk(printed, from, across);
            EXPECT_NEAR(got, want, tolerance) << run->text.toStdString() << (across == Qt::Horizontal ? " left" : " top");
        }
        ++checked;
    }
    EXPECT_GT(checked, 5);
}

}  // namespace
