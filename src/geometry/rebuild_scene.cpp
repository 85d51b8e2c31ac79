#include "geometry/rebuild_scene.h"

#include <utility>

#include "geometry/cut_to_cut_lines.h"
#include "geometry/end_cut.h"
#include "geometry/job_validation.h"
#include "geometry/parse_number.h"
#include "geometry/result_lengths.h"
#include "geometry/step_angles.h"
#include "shell/control_ids.h"
#include "shell/notices.h"
#include "shell/panel.h"
#include "shell/workspace.h"
#include "view/grids.h"

namespace korvex {
namespace {

void DrawReferenceGrids(DrawList& list) {
  const GridExtent grid{-100, 100, -100, 100, 0, 10, 10};
  const std::int32_t grey = PackColour(200, 200, 200);
  DrawGridXY(grid, grey, list);
  DrawGridXZ(grid, grey, list);
}

void DrawAxes(DrawList& list) {
  list.beginLines({0, 0, 1, 1});
  list.addSegment({0, 0, 0}, {1000, 0, 0});
  list.addSegment({0, 0, 0}, {0, 1000, 0});
  list.addSegment({0, 0, 0}, {0, 0, 100});
}

void ComputeEnd(const EndCutParameters& end, int side, bool displayCut, const JobState& job,
                const StepAngles& drawSteps, CutPoints& cut, DrawList& list) {
  StepAngles turnedSteps;
  const bool turned = end.angleDiff != 0;
  if (turned) turnedSteps.compute(job.parameters.cutSegments, end.angleDiff);
  const EndCutContext context{end, job.parameters, drawSteps, turned ? turnedSteps : drawSteps,
                              displayCut};
  if (end.cutOval) {
    ComputeTubeJointCut(side, context, cut, list);
  } else {
    ComputePlaneCut(context, cut, list);
  }
}

}  // namespace

std::vector<std::string> RebuildScene(Panel& panel, Workspace& workspace) {
  const JobParameters parameters = ReadJobParameters(panel);
  const double atAngle = ParseNumber(panel.text(kAtAngleField));
  if (auto problems = ValidateJob(parameters, atAngle); !problems.empty()) return problems;

  // Built aside and swapped in only when accepted. Entries above N keep the earlier values.
  JobState job = workspace.job;
  job.parameters = parameters;
  DrawList& list = workspace.nextScene;
  list.clear();

  if (panel.checkState(kDisplayGridBox) == 1) DrawReferenceGrids(list);
  DrawAxes(list);

  StepAngles drawSteps;
  drawSteps.compute(parameters.cutSegments, 0);
  const bool displayCut = panel.checkState(kDisplayCutBox) == 1;
  ComputeEnd(parameters.left, -1, displayCut, job, drawSteps, job.leftCut, list);
  ComputeEnd(parameters.right, +1, displayCut, job, drawSteps, job.rightCut, list);

  const ResultLengths lengths = MeasureResultLengths(job, atAngle);
  if (auto problems = ValidateResults(job, lengths); !problems.empty()) return problems;
  DrawMeasurementLine(lengths, parameters.mainRadius, list);
  if (panel.checkState(kDisplayMainBox) == 1) DrawCutToCutLines(job, list);

  UpdateResultLengths(panel, lengths);
  workspace.job = job;
  std::swap(workspace.scene, list);
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
