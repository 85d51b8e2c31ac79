#include "app/rebuild_scene.h"

#include <utility>

#include "app/control_ids.h"
#include "app/job_problem_text.h"
#include "app/notices.h"
#include "app/panel.h"
#include "app/panel_job.h"
#include "app/part_panel.h"
#include "app/workspace.h"
#include "base/parse_number.h"
#include "scene/job_scene.h"

namespace korvex {

std::vector<std::string> RebuildScene(Panel& panel, Workspace& workspace) {
  const double atAngle = ParseNumber(panel.text(kAtAngleField));
  JobOutcome outcome = ComputePart(PartFromPanel(panel, workspace.part), atAngle);
  if (!outcome.job) return JobProblemTexts(outcome.problems);

  DrawJobScene(*outcome.job, ReadDisplayOptions(panel), workspace.nextScene);
  ShowResultLengths(panel, outcome.job->lengths);
  AcceptJob(workspace, std::move(*outcome.job));
  return {};
}

std::string RefusalMessage(const std::vector<std::string>& problems) {
  std::string message = "PARAMETERS NOT APPLIED - the last valid job stays:";
  for (const std::string& problem : problems)
    message += "\n" + problem;
  return message;
}

bool RebuildSceneOrExplain(Panel& panel, Prompts& prompts, Workspace& workspace) {
  const std::vector<std::string> problems = RebuildScene(panel, workspace);
  if (problems.empty()) return true;
  ShowWarning(prompts, RefusalMessage(problems));
  return false;
}

}  // namespace korvex
