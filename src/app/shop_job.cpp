#include "app/shop_job.h"

#include <new>

namespace korvex {
namespace {

// The frame planned with the list's settings, as a list's plan.
CutListPlan PlanOfFrame(FrameRequest frame, CutListRequest settings, const std::string& folder,
                        const CutListProgress& progress) {
  frame.outDir = folder;
  frame.list = std::move(settings);
  FramePlan planned = PlanFrame(frame, progress);
  CutListPlan plan;
  plan.problems = std::move(planned.problems);
  plan.files = std::move(planned.files);
  plan.summary = std::move(planned.summary);
  plan.sheet = std::move(planned.sheet);
  plan.totals = std::move(planned.totals);
  plan.cancelled = planned.cancelled;
  return plan;
}

}  // namespace

ShopJobOutcome RunShopJob(const ShopJob& job, const CutListProgress& progress,
                          const std::atomic<bool>* cancel) {
  ShopJobOutcome outcome;
  CutListRequest request = job.request;
  request.machine = &*job.machine.profile;
  request.cancel = cancel;
  try {
    outcome.plan = job.frame ? PlanOfFrame(*job.frame, request, job.folder, progress)
                             : PlanCutList(request, progress);
    outcome.cancelled = outcome.plan.cancelled;
    if (!job.folder.empty() && outcome.plan.problems.empty()) {
      outcome.writeFailure = WritePlanFiles(job.folder, outcome.plan.files, cancel, progress);
      outcome.cancelled = outcome.writeFailure && cancel && cancel->load();
    }
  } catch (const std::bad_alloc&) {
    // What was staged or created is gone with the stack; the plan so far is dropped.
    outcome = ShopJobOutcome{};
    outcome.writeFailure = job.folder.empty() ? "out of memory" : "out of memory: nothing written";
  }
  return outcome;
}

}  // namespace korvex
