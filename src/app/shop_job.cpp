#include "app/shop_job.h"

#include <new>

namespace korvex {

ShopJobOutcome RunShopJob(const ShopJob& job, const CutListProgress& progress,
                          const std::atomic<bool>* cancel) {
  ShopJobOutcome outcome;
  CutListRequest request = job.request;
  request.machine = &*job.machine.profile;
  request.cancel = cancel;
  try {
    outcome.plan = PlanCutList(request, progress);
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
