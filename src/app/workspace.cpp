#include "app/workspace.h"

#include <algorithm>
#include <utility>

namespace korvex {
namespace {

void KeepEntriesAbove(int n, const CutPoints& earlier, CutPoints& next) {
  const auto from = static_cast<std::size_t>(std::max(n + 1, 0));
  for (auto [source, target] : {std::pair{&earlier.x, &next.x}, std::pair{&earlier.y, &next.y},
                                std::pair{&earlier.z, &next.z}}) {
    std::copy(source->begin() + from, source->end(), target->begin() + from);
  }
}

}  // namespace

void AcceptJob(Workspace& workspace, ComputedJob&& next) {
  const int n = next.parameters.cutSegments;
  KeepEntriesAbove(n, workspace.job.left.path, next.left.path);
  KeepEntriesAbove(n, workspace.job.right.path, next.right.path);
  workspace.job = std::move(next);
  std::swap(workspace.scene, workspace.nextScene);
}

ProgramHeader ProgramHeaderFor(const Workspace& workspace) {
  const JobParameters& job = workspace.job.parameters;
  return {workspace.projectPath, job.axisLetter, job.mainDiameter, workspace.cutObjectCount};
}

}  // namespace korvex
