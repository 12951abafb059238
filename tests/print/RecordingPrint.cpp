#include "tests/print/RecordingPrint.h"

std::unique_ptr<PrintSink> RecordingPrintSystem::open(const QString& printer, OpenFailure& failure,
                                                      int& error)
{
    record_.calls.push_back("open " + printer.toStdString());
    failure = faults.openFailure;
    error = faults.errorCode;
    if (failure != OpenFailure::None || !printers_.contains(printer))
        return nullptr;
    ++record_.opened;
    return std::make_unique<RecordingSink>(record_, faults, metrics);
}

RecordingSink::~RecordingSink()
{
    ++record_.closed;
}

bool RecordingSink::applySettings(const JobSettings& settings)
{
    record_.calls.push_back("applySettings");
    record_.settings.push_back(settings);
    return !faults_.refuseSettings;
}

bool RecordingSink::startJob(const QString& name)
{
    record_.calls.push_back("startJob " + name.toStdString());
    if (++jobsStarted_ == faults_.failStartJob)
        return false;
    record_.jobs.push_back({name, {}});
    return true;
}

bool RecordingSink::startPage()
{
    record_.calls.push_back("startPage");
    if (++pagesStarted_ == faults_.failStartPage)
        return false;
    record_.jobs.back().pages.emplace_back();
    return true;
}

void RecordingSink::drawPage(const PageImage& image, const QRect& target, bool halfTurn)
{
    record_.calls.push_back("drawPage");
    record_.jobs.back().pages.back().drawn.push_back({&image, target, halfTurn});
}

void RecordingSink::endJob()
{
    record_.calls.push_back("endJob");
    record_.jobs.back().ended = true;
}

void RecordingSink::abortJob()
{
    record_.calls.push_back("abortJob");
    record_.jobs.back().aborted = true;
}
