#include "app/shop_job.h"

namespace korvex {

ShopJobOutcome RunShopJob(const ShopJob& job, const CutListProgress& progress,
                          const std::atomic<bool>* cancel) {
  ShopJobOutcome outcome;
  CutListRequest request = job.request;
  request.machine = &*job.machine.profile;
  request.cancel = cancel;
  outcome.plan = PlanCutList(request, progress);
  outcome.cancelled = outcome.plan.cancelled;
  if (!job.folder.empty() && outcome.plan.problems.empty()) {
    outcome.writeFailure = WritePlanFiles(job.folder, outcome.plan.files, cancel);
    outcome.cancelled = outcome.writeFailure && cancel && cancel->load();
  }
  return outcome;
}

}  // namespace korvex
