#pragma once
// The cups-pdf queues of the end-to-end print tests (made by scripts/cups-pdf-queue) and
// the PDFs cups-pdf writes for their jobs, read back with poppler.

#include "platform/ScriptedDialogs.h"
#include "render/DrukujWindow.h"
#include "tests/render/RenderFixtures.h"
#include "tests/support/TempFolders.h"

#include <QImage>
#include <QString>
#include <gtest/gtest.h>

#include <optional>
#include <QStringList>

// The driver's own queue, whose printable area is the whole sheet.
inline const QString kWholeSheetQueue = QStringLiteral("VLM_PDF");

// Why the test cannot run here ("" when it can): a missing queue or poppler tool.
QString MissingPrintTools(const QString& queue);

// Holds the cups-pdf queues for one test process at a time, across worktrees and test
// runs: cups-pdf writes every queue's PDFs into one folder.
class QueueLock {
public:
    QueueLock();
    ~QueueLock();
    QueueLock(const QueueLock&) = delete;
    QueueLock& operator=(const QueueLock&) = delete;

private:
    int fd_;
};

// The PDFs of the jobs printed since it was made. cups-pdf names a file after the job's
// title and CUPS job number ("TOVRIX_1-job_42.pdf"); only jobs numbered above the last
// job CUPS knew at the start count, so a PDF left by an earlier job is never taken.
class PdfJobs {
public:
    PdfJobs();
    ~PdfJobs();  // removes the PDFs it handed out

    // Waits for the PDF of the next job of that title; "" when none comes.
    QString waitFor(const QString& title);
    QString folder() const { return folder_; }

private:
    QString folder_;
    int lastJobBefore_;
    QStringList taken_;
};

// The output of a program, "" when it fails.
QString RunTool(const QString& program, const QStringList& arguments);

// One PDF page rendered in grey at `dpi`.
QImage PdfPicture(const QString& pdf, int page, int dpi);

// What every print through a queue needs: the queue to itself, temporary folders, scripted
// answers, the main window's page images and the print window over them.
class CupsPrintFixture : public ::testing::Test {
protected:
    QueueLock lock;
    TempFolders folders;
    ScriptedDialogs dialogs;
    FixtureMainWindow host;
    PageImages& pages = host.pages;
    TFDrukuj window{pages, host.errors};
    std::optional<PdfJobs> jobs;
};
