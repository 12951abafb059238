#pragma once
// A printing system for tests: printers given by name, and a sink that records every call
// of the print routine (jobs, pages, page images drawn and their rectangles) and fails
// where a test asks it to.

#include "render/PrintSink.h"

#include <QString>

#include <map>
#include <set>
#include <string>
#include <vector>

struct DrawnPage {
    const PageImage* image;
    QRect target;
    bool halfTurn;
};

struct RecordedPage {
    std::vector<DrawnPage> drawn;
};

struct RecordedJob {
    QString name;
    std::vector<RecordedPage> pages;
    bool ended = false;
    bool aborted = false;
};

struct PrintRecord {
    std::vector<std::string> calls;  // "applySettings", "startJob TOVRIX", "startPage", ...
    std::vector<RecordedJob> jobs;
    std::vector<JobSettings> settings;
    int opened = 0;
    int closed = 0;  // sinks destroyed
};

struct PrintFaults {
    int failStartJob = 0;   // the n-th startJob fails (1-based), 0 = none
    int failStartPage = 0;  // the n-th startPage fails
    bool refuseSettings = false;
    PrintSystem::OpenFailure openFailure = PrintSystem::OpenFailure::None;
    int errorCode = 5;
};

class RecordingPrintSystem : public PrintSystem {
public:
    RecordingPrintSystem(PrintRecord& record, QStringList printers, QString defaultName = {},
                         std::set<QString> duplexPrinters = {})
        : record_(record)
        , printers_(std::move(printers))
        , default_(std::move(defaultName))
        , duplex_(std::move(duplexPrinters))
    {
    }

    PrintFaults faults;
    PrintMetrics metrics{600, 600, 100, 50};

    QStringList printerNames() const override { return printers_; }
    QString defaultPrinter() const override { return default_; }
    bool canDuplex(const QString& printer) const override { return duplex_.count(printer) > 0; }
    std::unique_ptr<PrintSink> open(const QString& printer, OpenFailure& failure,
                                    int& error) override;

private:
    PrintRecord& record_;
    QStringList printers_;
    QString default_;
    std::set<QString> duplex_;
};

class RecordingSink : public PrintSink {
public:
    RecordingSink(PrintRecord& record, const PrintFaults& faults, const PrintMetrics& metrics)
        : record_(record)
        , faults_(faults)
        , metrics_(metrics)
    {
    }
    ~RecordingSink() override;

    bool applySettings(const JobSettings& settings) override;
    bool startJob(const QString& name) override;
    bool startPage() override;
    PrintMetrics metrics() const override { return metrics_; }
    void drawPage(const PageImage& image, const QRect& target, bool halfTurn) override;
    void endPage() override { record_.calls.push_back("endPage"); }
    void endJob() override;
    void abortJob() override;
    int lastError() const override { return faults_.errorCode; }

private:
    PrintRecord& record_;
    PrintFaults faults_;
    PrintMetrics metrics_;
    int jobsStarted_ = 0;
    int pagesStarted_ = 0;
};
