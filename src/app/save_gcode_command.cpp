#include "app/save_gcode_command.h"

#include <optional>
#include <string>

#include "app/notices.h"
#include "app/prompt_folders.h"
#include "app/prompts.h"
#include "app/workspace.h"
#include "base/file_helpers.h"
#include "gcode/axis_letter.h"
#include "gcode/gcode_writer.h"

namespace korvex {
namespace {

// The program's name proposed from the project: the file name after the last separator, cut
// before its first ".", with ".ngc". Without a name, "korvex.ngc", as SAVE proposes
// "korvex.kvx": a bare ".ngc" would be a hidden file.
std::string ProposedProgramName(const std::string& projectPath) {
  const std::size_t separator = projectPath.find_last_of("/\\");
  std::string name =
      separator == std::string::npos ? projectPath : projectPath.substr(separator + 1);
  name = name.substr(0, name.find('.'));
  return (name.empty() ? "korvex" : name) + ".ngc";
}

void ShowNotSaved(Prompts& prompts, const std::string& reason) {
  ShowFailure(prompts, "G CODE NOT SAVED: " + reason);
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

  FilePrompt prompt;
  prompt.caption = "Save GCODE";
  prompt.proposedPath = ProposedProgramName(workspace.projectPath);
  prompt.initialFolder = PromptFolder("GCODE");
  prompt.filter = "NGC(*.NGC)|*.NGC|";
  prompt.defaultExtension = "ngc";  // the samples' case: file names are case-sensitive
  const std::optional<std::string> path = prompts.promptSavePath(prompt);
  if (!path) return CommandOutcome::Cancelled;

  if (path->empty() || !MayReplace(prompts, *path)) {
    ShowNothingSaved(prompts);
    return CommandOutcome::Cancelled;
  }

  workspace.cutObjectCount = 2;
  if (auto failure = WriteGcodeProgram(*path, workspace.job, ProgramHeaderFor(workspace))) {
    ShowNotSaved(prompts, *failure);
    return CommandOutcome::Failed;
  }
  ShowNotice(prompts, "G CODE SAVED OK");
  return CommandOutcome::Done;
}

}  // namespace korvex
