#include "cli/convert_project.h"

#include "app/control_ids.h"
#include "app/machine_profiles.h"
#include "app/memory_panel.h"
#include "app/project_commands.h"
#include "app/rebuild_scene.h"
#include "app/workspace.h"
#include "cli/cli_options.h"
#include "gcode/axis_letter.h"
#include "gcode/machine_program.h"

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

CliOutcome MachineFailure(const MachineEntry& machine) {
  CliOutcome outcome{1, {}, {}};
  for (const std::string& problem : machine.problems)
    outcome.error += "korvex-cli: machine profile not used: " + problem + "\n";
  return outcome;
}

CliOutcome ConvertProject(const CliOptions& options) {
  // A profile with mistakes is reported before anything is read or written.
  const MachineEntry machine =
      FindMachine(options.machine.value_or(std::string("described")), UserMachinesFolder());
  if (!machine.profile) return MachineFailure(machine);

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

  const JobParameters& job = workspace.job.parameters;
  if (const auto problem = AxisLetterProblem(job.axisLetter)) {
    return Failure("program not written: " + *problem);
  }
  workspace.cutObjectCount = 2;
  if (const auto failure = WriteMachineProgram(options.outputPath, workspace.job,
                                               ProgramHeaderFor(workspace), *machine.profile)) {
    return Failure("program not written: " + *failure);
  }

  return {
      0,
      "X LENGTH " + panel.text(kXLengthField) + "\nY LENGTH " + panel.text(kYLengthField) + "\n",
      {}};
}

}  // namespace korvex
