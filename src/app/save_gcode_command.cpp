#include "app/save_gcode_command.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/machine_profiles.h"
#include "app/notices.h"
#include "app/prompts.h"
#include "app/workspace.h"
#include "base/file_helpers.h"
#include "gcode/axis_letter.h"
#include "gcode/gcode_writer.h"
#include "gcode/machine_program.h"

namespace korvex {
namespace {

// The program's name proposed from the project: the file name after the last separator, cut
// before its first ".", with ".ngc". An empty project path gives ".ngc".
std::string ProposedProgramName(const std::string& projectPath) {
  const std::size_t separator = projectPath.find_last_of("/\\");
  std::string name =
      separator == std::string::npos ? projectPath : projectPath.substr(separator + 1);
  name = name.substr(0, name.find('.'));
  return name + ".ngc";
}

void ShowNotSaved(Prompts& prompts, const std::string& reason) {
  ShowFailure(prompts, "G CODE NOT SAVED: " + reason);
}

// One file type of the prompt and how the workspace's job is written as it.
struct OutputType {
  FileType type;
  // Why the job cannot be written as this type, or nothing.
  std::function<std::optional<std::string>(const Workspace&)> problem;
  // Writes the file; the reason when nothing was written.
  std::function<std::optional<std::string>(const std::string& path, const Workspace&)> write;
};

std::string JoinLines(const std::vector<std::string>& lines) {
  std::string joined;
  for (const std::string& line : lines)
    joined += (joined.empty() ? "" : "\n") + line;
  return joined;
}

// A machine profile as a file type; the described program keeps its own filter. A profile file
// with mistakes is offered too, so that choosing it tells the user what to mend.
OutputType MachineOutput(const MachineEntry& machine) {
  const bool described =
      machine.profile && machine.path.empty() && WritesDescribedProgram(*machine.profile);
  const std::string title = machine.profile ? machine.profile->title : machine.name;
  return {described ? FileType{"NGC(*.NGC)", "*.NGC", "NGC"}
                    : FileType{"G-code, " + title, "*.ngc", "ngc"},
          [machine](const Workspace& workspace) -> std::optional<std::string> {
            if (!machine.profile) return JoinLines(machine.problems);
            return MachineProgramProblem(workspace.job, ProgramHeaderFor(workspace),
                                         *machine.profile);
          },
          [machine](const std::string& path, const Workspace& workspace) {
            return WriteMachineProgram(path, workspace.job, ProgramHeaderFor(workspace),
                                       *machine.profile);
          }};
}

// The types the prompt offers, the described program first.
std::vector<OutputType> OutputTypes() {
  std::vector<OutputType> types;
  for (const MachineEntry& machine : LoadMachineEntries(UserMachinesFolder()))
    types.push_back(MachineOutput(machine));
  return types;
}

}  // namespace

CommandOutcome SaveGcodeCommand(Prompts& prompts, Workspace& workspace) {
  const JobParameters& parameters = workspace.job.parameters;

  // A program that no controller could run is refused before the operator chooses a file.
  if (auto problem = AxisLetterProblem(parameters.axisLetter)) {
    ShowNotSaved(prompts, *problem);
    return CommandOutcome::Refused;
  }
  if (auto problem = GcodeProgramProblem(workspace.job, parameters.mainDiameter)) {
    ShowNotSaved(prompts, *problem);
    return CommandOutcome::Refused;
  }

  const std::vector<OutputType> types = OutputTypes();
  std::vector<FileType> fileTypes;
  for (const OutputType& type : types)
    fileTypes.push_back(type.type);

  FilePrompt prompt;
  prompt.caption = "Save GCODE";
  prompt.proposedPath = ProposedProgramName(workspace.projectPath);
  prompt.initialFolder = ProgramFolder() + "GCODE";
  SetFileTypes(prompt, fileTypes);
  prompt.rememberTypeAs = "gcodeFileType";
  const std::optional<SaveChoice> choice = prompts.promptSaveChoice(prompt);
  if (!choice) return CommandOutcome::Cancelled;
  const std::string& path = choice->path;
  const OutputType& output = types.at(choice->fileType < types.size() ? choice->fileType : 0);
  if (auto problem = output.problem(workspace)) {
    ShowNotSaved(prompts, *problem);
    return CommandOutcome::Refused;
  }

  if (path.empty() || !MayReplace(prompts, path)) {
    ShowNothingSaved(prompts);
    return CommandOutcome::Cancelled;
  }

  workspace.cutObjectCount = 2;
  if (auto failure = output.write(path, workspace)) {
    ShowNotSaved(prompts, *failure);
    return CommandOutcome::Failed;
  }
  ShowNotice(prompts, "G CODE SAVED OK");
  return CommandOutcome::Done;
}

}  // namespace korvex
