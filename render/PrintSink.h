#pragma once
// The printing system behind the print window: the installed printers, and one printer's
// jobs as the print routine drives them. Production goes through Qt's print support
// (CUPS, PrintCups.h); tests print through a recording sink.

#include "render/PrintJobSettings.h"
#include "render/PrintPlacement.h"

#include <QString>
#include <QStringList>

#include <memory>

class PageImage;

// One printer's job context, holding the printer's settings for the jobs it prints.
class PrintSink {
public:
    virtual ~PrintSink() = default;
    // Merges the job settings into the printer's own; false when the printer refuses them.
    // The printer's defaults are not changed.
    virtual bool applySettings(const JobSettings& settings) = 0;
    // Starts a job under that document name.
    virtual bool startJob(const QString& name) = 0;
    virtual bool startPage() = 0;
    // The running job's metrics.
    virtual PrintMetrics metrics() const = 0;
    virtual void drawPage(const PageImage& image, const QRect& target, bool halfTurn) = 0;
    virtual void endPage() = 0;
    virtual void endJob() = 0;
    // Throws away a started job.
    virtual void abortJob() = 0;
    // The system's code of the last failure (0 when it gives none).
    virtual int lastError() const = 0;
};

class PrintSystem {
public:
    enum class OpenFailure { None, NoPrinter, NoSettings };

    virtual ~PrintSystem() = default;
    // The installed printers, in the system's order, and the default one ("" when none).
    virtual QStringList printerNames() const = 0;
    virtual QString defaultPrinter() const = 0;
    // Whether the printer can print two-sided; a printer that cannot be asked counts as able.
    virtual bool canDuplex(const QString& printer) const = 0;
    // A job context of the printer under its current settings; null on failure, with
    // the failed step and the system's code.
    virtual std::unique_ptr<PrintSink> open(const QString& printer, OpenFailure& failure,
                                            int& error) = 0;
};
