#pragma once
// Sends a print plan to a printer's job context: each job started, each side a printer
// page, each page image stretched into its rectangle under the job's own metrics.

#include "render/PageImage.h"
#include "render/PrintPlan.h"
#include "store/Records.h"

#include <array>
#include <functional>

class PrintSink;

struct PrintFailure {
    enum Step { None, StartJob, StartPage };
    Step step = None;
    int error = 0;  // the system's code
};

// `turnSheet` runs between the two jobs of a one-sided print. With `halfTurnSecondSide`
// the pages of a two-sided job's second side are drawn half-turned. A job that fails
// after it started is thrown away; jobs already ended stay printed.
PrintFailure RunPrintPlan(PrintSink& sink, const PrintPlan& plan,
                          const std::array<MarginRect, 4>& rects, const PageImages& pages,
                          bool halfTurnSecondSide, const std::function<void()>& turnSheet);
