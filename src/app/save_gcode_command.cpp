#include "app/save_gcode_command.h"

#include <iterator>
#include <optional>
#include <string>

#include "app/notices.h"
#include "app/prompt_folders.h"
#include "app/prompts.h"
#include "app/shop_output.h"
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

// The file types the prompt offers: the program first, then the shop outputs.
struct SaveType {
  const char* filter;
  std::optional<ShopOutput> output;  // nothing: the G-code program
  Paper paper;
  const char* noticeName;  // "<name> SAVED OK", "<name> NOT SAVED: ..."
};

constexpr SaveType kSaveTypes[] = {
    {"NGC(*.NGC)|*.NGC|", std::nullopt, Paper::A4, "G CODE"},
    {"Template PDF, A4 portrait(*.pdf)|*.pdf|", ShopOutput::PdfTemplate, Paper::A4, "TEMPLATE"},
    {"Template PDF, A4 landscape(*.pdf)|*.pdf|", ShopOutput::PdfTemplate, Paper::A4Landscape,
     "TEMPLATE"},
    {"Template PDF, Letter portrait(*.pdf)|*.pdf|", ShopOutput::PdfTemplate, Paper::Letter,
     "TEMPLATE"},
    {"Template PDF, Letter landscape(*.pdf)|*.pdf|", ShopOutput::PdfTemplate,
     Paper::LetterLandscape, "TEMPLATE"},
    {"Template SVG(*.svg)|*.svg|", ShopOutput::SvgTemplate, Paper::A4, "TEMPLATE"},
    {"Flat pattern DXF(*.dxf)|*.dxf|", ShopOutput::DxfPattern, Paper::A4, "DXF"},
};

std::string SaveFilter() {
  std::string filter;
  for (const SaveType& type : kSaveTypes)
    filter += type.filter;
  return filter;
}

// A template or pattern of the last accepted job: formatted first, so that a refused one asks
// nothing and writes nothing.
CommandOutcome SaveShopOutput(Prompts& prompts, const Workspace& workspace, const SaveType& type,
                              const std::string& path) {
  const std::string name = type.noticeName;
  FormattedOutput output = FormatWorkspaceOutput(workspace, *type.output, type.paper);
  if (output.problem) {
    ShowFailure(prompts, name + " NOT SAVED: " + *output.problem);
    return CommandOutcome::Refused;
  }
  if (!MayReplace(prompts, path)) {
    ShowNothingSaved(prompts);
    return CommandOutcome::Cancelled;
  }
  if (auto failure = WriteFileAtomically(path, output.bytes)) {
    ShowFailure(prompts, name + " NOT SAVED: " + *failure);
    return CommandOutcome::Failed;
  }
  ShowNotice(prompts, name + " SAVED OK");
  return CommandOutcome::Done;
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
  prompt.filter = SaveFilter();
  prompt.defaultExtension = "ngc";  // the samples' case: file names are case-sensitive
  const std::optional<SaveAnswer> answer = prompts.promptSaveFile(prompt);
  if (!answer) return CommandOutcome::Cancelled;
  const std::string& path = answer->path;
  if (path.empty()) {
    ShowNothingSaved(prompts);
    return CommandOutcome::Cancelled;
  }
  if (answer->fileType > 0 && answer->fileType < std::size(kSaveTypes)) {
    return SaveShopOutput(prompts, workspace, kSaveTypes[answer->fileType], path);
  }

  if (!MayReplace(prompts, path)) {
    ShowNothingSaved(prompts);
    return CommandOutcome::Cancelled;
  }

  workspace.cutObjectCount = 2;
  if (auto failure = WriteGcodeProgram(path, workspace.job, ProgramHeaderFor(workspace))) {
    ShowNotSaved(prompts, *failure);
    return CommandOutcome::Failed;
  }
  ShowNotice(prompts, "G CODE SAVED OK");
  return CommandOutcome::Done;
}

}  // namespace korvex
