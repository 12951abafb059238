#include "render/PrintCups.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

#include <cerrno>

namespace {

class CupsPrintSink : public PrintSink {
public:
    explicit CupsPrintSink(const QPrinterInfo& info)
        : printer_(info, QPrinter::HighResolution)
    {
    }
    ~CupsPrintSink() override
    {
        if (painter_.isActive())
            abortJob();
    }

    bool valid() const { return printer_.isValid(); }

    bool applySettings(const JobSettings& settings) override
    {
        bool accepted = true;
        if (settings.paper)
            accepted = printer_.setPageSize(QPageSize(*settings.paper)) && accepted;
        if (settings.orientation)
            accepted = printer_.setPageOrientation(*settings.orientation) && accepted;
        printer_.setDuplex(settings.duplex);
        return accepted;
    }

    bool startJob(const QString& name) override
    {
        printer_.setDocName(name);
        usePrintableArea();
        errno = 0;
        if (painter_.begin(&printer_))
            return true;
        error_ = errno;
        return false;
    }

    // The job's first page opens with the job itself; every later one is a new page.
    bool startPage() override
    {
        if (!firstPageUsed_) {
            firstPageUsed_ = true;
            return true;
        }
        errno = 0;
        if (printer_.newPage())
            return true;
        error_ = errno;
        return false;
    }

    // Offsets of the printable area's corner from the paper's corner.
    PrintMetrics metrics() const override
    {
        return {printer_.logicalDpiX(), printer_.logicalDpiY(), printableCorner_.x(),
                printableCorner_.y()};
    }

    void drawPage(const PageImage& image, const QRect& target, bool halfTurn) override
    {
        DrawPageImage(painter_, target.translated(printableCorner_), image, halfTurn);
    }

    void endPage() override {}

    void endJob() override
    {
        painter_.end();
        firstPageUsed_ = false;
    }

    void abortJob() override
    {
        printer_.abort();
        painter_.end();
        firstPageUsed_ = false;
    }

    int lastError() const override { return error_; }

private:
    // The painter's origin is the paper's corner; placements count from the corner of the
    // printable area the queue declares (its PPD's ImageableArea) for the sheet as the
    // page lies on it. Qt's CUPS support takes the portrait sheet's margins for a
    // landscape page too and refuses narrower ones, so the margins are read for the
    // portrait sheet and turned here. Paper size and orientation are set first.
    void usePrintableArea()
    {
        const QPageLayout::Orientation orientation = printer_.pageLayout().orientation();
        printer_.setPageOrientation(QPageLayout::Portrait);
        const QPageLayout portrait = printer_.pageLayout();
        printer_.setPageOrientation(orientation);
        printer_.setFullPage(true);
        const QPageLayout sheet(portrait.pageSize(), orientation,
                                MarginsAsPrinted(portrait.minimumMargins(), orientation),
                                portrait.units());
        const QMargins pixels = sheet.marginsPixels(printer_.resolution());
        printableCorner_ = QPoint(pixels.left(), pixels.top());
    }

    QPrinter printer_;
    QPainter painter_;
    QPoint printableCorner_;
    bool firstPageUsed_ = false;
    int error_ = 0;
};

}  // namespace

QStringList CupsPrintSystem::printerNames() const
{
    return QPrinterInfo::availablePrinterNames();
}

QString CupsPrintSystem::defaultPrinter() const
{
    return QPrinterInfo::defaultPrinterName();
}

bool CupsPrintSystem::canDuplex(const QString& printer) const
{
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
    if (info.isNull())
        return true;
    for (QPrinter::DuplexMode mode : info.supportedDuplexModes())
        if (mode != QPrinter::DuplexNone)
            return true;
    return false;
}

std::unique_ptr<PrintSink> CupsPrintSystem::open(const QString& printer, OpenFailure& failure,
                                                 int& error)
{
    errno = 0;
    const QPrinterInfo info = QPrinterInfo::printerInfo(printer);
    if (info.isNull()) {
        failure = OpenFailure::NoPrinter;
        error = errno;
        return nullptr;
    }
    auto sink = std::make_unique<CupsPrintSink>(info);
    if (!sink->valid()) {
        failure = OpenFailure::NoSettings;
        error = errno;
        return nullptr;
    }
    failure = OpenFailure::None;
    return sink;
}
