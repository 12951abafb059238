#include "tests/print/CupsQueue.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImageReader>
#include <QPrinterInfo>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QThread>

#include <fcntl.h>
#include <pwd.h>
#include <sys/file.h>
#include <unistd.h>

namespace {

constexpr int kPdfTimeoutMs = 90000;
constexpr int kPollMs = 100;

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
    if (const passwd* user = getpwuid(getuid())) {
        out.replace(QStringLiteral("${HOME}"), QString::fromLocal8Bit(user->pw_dir));
        out.replace(QStringLiteral("${USER}"), QString::fromLocal8Bit(user->pw_name));
    }
    return out;
}

// The highest job number CUPS has handed out so far, finished jobs included.
int LastJobNumber()
{
    static const QRegularExpression id(QStringLiteral("^\\S+-(\\d+)\\s"),
                                       QRegularExpression::MultilineOption);
    int last = 0;
    auto matches = id.globalMatch(RunTool(QStringLiteral("lpstat"), {"-W", "all", "-o"}));
    while (matches.hasNext())
        last = std::max(last, matches.next().captured(1).toInt());
    return last;
}

}  // namespace

QString MissingPrintTools(const QString& queue)
{
    if (!QPrinterInfo::availablePrinterNames().contains(queue))
        return QStringLiteral("no CUPS queue %1 (the scheduler is not running or "
                              "scripts/cups-pdf-queue was not run)")
            .arg(queue);
    for (const char* tool : {"pdfinfo", "pdftoppm", "lpstat"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty())
            return QStringLiteral("%1 is missing (packages poppler-utils, cups-client)")
                .arg(QString::fromLatin1(tool));
    return {};
}

QueueLock::QueueLock()
    : fd_(open("/tmp/vlm_pdf_queue.lock", O_CREAT | O_RDWR, 0666))
{
    if (fd_ >= 0)
        flock(fd_, LOCK_EX);
}

QueueLock::~QueueLock()
{
    if (fd_ >= 0)
        close(fd_);
}

PdfJobs::PdfJobs()
    : folder_(PdfFolder())
    , lastJobBefore_(LastJobNumber())
{
}

PdfJobs::~PdfJobs()
{
    for (const QString& path : taken_)
        QFile::remove(path);
}

QString PdfJobs::waitFor(const QString& title)
{
    // cups-pdf may append more of the title after a double "_".
    const QRegularExpression ours(
        QStringLiteral("^%1(__.*)?-job_(\\d+)\\.pdf$")
            .arg(QRegularExpression::escape(QString(title).replace(' ', '_'))));
    QDeadlineTimer deadline(kPdfTimeoutMs);
    while (!deadline.hasExpired()) {
        for (const QString& name :
             QDir(folder_).entryList({QStringLiteral("*.pdf")}, QDir::Files)) {
            const QRegularExpressionMatch match = ours.match(name);
            const QString path = QDir(folder_).filePath(name);
            if (!match.hasMatch() || match.captured(2).toInt() <= lastJobBefore_ ||
                taken_.contains(path))
                continue;
            // cups-pdf writes the file in place: it is whole once pdfinfo reads it.
            if (!RunTool(QStringLiteral("pdfinfo"), {path}).isEmpty()) {
                taken_ << path;
                return path;
            }
        }
        QThread::msleep(kPollMs);
    }
    return {};
}

QString RunTool(const QString& program, const QStringList& arguments)
{
    QProcess process;
    process.start(program, arguments);
    if (!process.waitForFinished(30000) || process.exitStatus() != QProcess::NormalExit ||
        process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

QImage PdfPicture(const QString& pdf, int page, int dpi)
{
    QTemporaryDir dir;
    const QString base = dir.filePath(QStringLiteral("page"));
    RunTool(QStringLiteral("pdftoppm"),
            {"-r", QString::number(dpi), "-gray", "-f", QString::number(page), "-l",
             QString::number(page), "-singlefile", pdf, base});
    QImageReader reader(base + QStringLiteral(".pgm"));
    QImageReader::setAllocationLimit(0);  // an A4 page at 600 dpi is larger than Qt's default limit
    return reader.read().convertToFormat(QImage::Format_Grayscale8);
}
