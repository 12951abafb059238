#pragma once
// Which jobs a print sends and which pages each sheet side carries, from the document's
// page count and whether the print is two-sided.

#include <QString>

#include <vector>

struct PrintJobPlan {
    QString name;                         // the job's document name
    std::vector<std::vector<int>> sides;  // per printer page, the pages drawn on it in order
};

struct PrintPlan {
    std::vector<PrintJobPlan> jobs;  // empty: a page count outside 1 to 4 prints nothing
    bool promptBetweenJobs = false;  // turn the sheet between "TOVRIX 1" and "TOVRIX 2"

    std::vector<int> pages() const;  // every page printed, in drawing order
};

PrintPlan MakePrintPlan(int pageCount, bool twoSided);

inline const QString kPageTurnPrompt = QStringLiteral(
    "Gdy zakończy się drukowanie pierwszej strony obróć kartkę w drukarce a następnie naciśnij OK");
