#include "toolpath/job_cuts.h"

namespace korvex {
namespace {

Toolpath ComputedPoints(const CutPoints& points, int n) {
  Toolpath path;
  for (int i = 0; i <= n; ++i)
    path.points.push_back({points.x[i], points.y[i], points.z[i]});
  path.loopEnd = path.overcutEnd = path.points.size() - 1;
  return path;
}

}  // namespace

std::variant<JobCuts, std::string> PlanJobCuts(const ComputedJob& job,
                                               const ToolpathOptions& options, bool asComputed) {
  JobCuts cuts;
  const int n = job.parameters.cutSegments;
  if (asComputed) {
    cuts.push_back(ComputedPoints(job.left.path, n));
    cuts.push_back(ComputedPoints(job.right.path, n));
    for (const HoleCut& hole : job.holes)
      cuts.push_back(ComputedPoints(hole.path, n));
    return cuts;
  }
  std::vector<ToolpathPlan> plans;
  for (const int side : {-1, 1})
    plans.push_back(PlanEndToolpath(job, side, options));
  for (std::size_t hole = 0; hole < job.holes.size(); ++hole)
    plans.push_back(PlanHoleToolpath(job, hole, options));
  for (ToolpathPlan& plan : plans) {
    if (auto* problem = std::get_if<std::string>(&plan)) return std::move(*problem);
    cuts.push_back(std::move(std::get<Toolpath>(plan)));
  }
  return cuts;
}

std::vector<std::string> NotesOf(const JobCuts& cuts) {
  std::vector<std::string> notes;
  for (const Toolpath& cut : cuts)
    notes.insert(notes.end(), cut.notes.begin(), cut.notes.end());
  return notes;
}

}  // namespace korvex
