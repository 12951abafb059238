#include "render/PrintRoutine.h"

#include "render/PrintSink.h"

PrintFailure RunPrintPlan(PrintSink& sink, const PrintPlan& plan,
                          const std::array<MarginRect, 4>& rects, const PageImages& pages,
                          bool halfTurnSecondSide, const std::function<void()>& turnSheet)
{
    for (std::size_t j = 0; j < plan.jobs.size(); ++j) {
        const PrintJobPlan& job = plan.jobs[j];
        if (j > 0 && plan.promptBetweenJobs && turnSheet)
            turnSheet();
        if (!sink.startJob(job.name))
            return {PrintFailure::StartJob, sink.lastError()};
        const PrintMetrics metrics = sink.metrics();
        for (std::size_t s = 0; s < job.sides.size(); ++s) {
            if (!sink.startPage()) {
                const int error = sink.lastError();
                sink.abortJob();
                return {PrintFailure::StartPage, error};
            }
            const bool halfTurn = halfTurnSecondSide && s == 1;
            for (int page : job.sides[s])
                sink.drawPage(pages[page - 1], PlacePage(rects[page - 1], metrics), halfTurn);
            sink.endPage();
        }
        sink.endJob();
    }
    return {};
}
