#include "cli/convert_project.h"

#include "app/control_ids.h"
#include "app/memory_panel.h"
#include "app/project_commands.h"
#include "app/rebuild_scene.h"
#include "app/workspace.h"
#include "base/file_helpers.h"
#include "cli/cli_options.h"
#include "gcode/axis_letter.h"
#include "gcode/gcode_writer.h"

namespace korvex {
namespace {

CliOutcome Failure(const std::string& line) {
  return {1, {}, "korvex-cli: " + line + "\n"};
}

std::string JoinProblems(const std::vector<std::string>& problems) {
  std::string joined;
  for (const std::string& problem : problems) {
    if (!joined.empty()) joined += "; ";
    joined += problem;
  }
  return joined;
}

}  // namespace

CliOutcome ConvertProject(const CliOptions& options) {
  MemoryPanel panel;
  if (options.axisLetter) panel.setText(kAngleLetterField, *options.axisLetter);
  if (options.atAngle) panel.setText(kAtAngleField, *options.atAngle);

  if (const auto failure = LoadProject(options.projectPath, panel)) {
    return Failure("project not opened: " + *failure);
  }

  Workspace workspace;
  workspace.projectPath = options.projectPath;
  if (const auto problems = RebuildScene(panel, workspace); !problems.empty()) {
    return Failure("job refused: " + JoinProblems(problems));
  }

  // Writing the program over its own project would destroy the job.
  if (IsSameFile(options.projectPath, options.outputPath)) {
    return Failure("program not written: " + options.outputPath + " is the project file itself");
  }
  const JobParameters& job = workspace.job.parameters;
  if (const auto problem = AxisLetterProblem(job.axisLetter)) {
    return Failure("program not written: " + *problem);
  }
  workspace.cutObjectCount = 2;
  if (const auto failure =
          WriteGcodeProgram(options.outputPath, workspace.job, ProgramHeaderFor(workspace))) {
    return Failure("program not written: " + *failure);
  }

  return {
      0,
      "X LENGTH " + panel.text(kXLengthField) + "\nY LENGTH " + panel.text(kYLengthField) + "\n",
      {}};
}

}  // namespace korvex
