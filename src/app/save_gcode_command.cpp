#include "app/save_gcode_command.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/cut_part.h"
#include "app/machine_profiles.h"
#include "app/notices.h"
#include "app/prompt_folders.h"
#include "app/prompts.h"
#include "app/shop_output.h"
#include "app/workspace.h"
#include "base/file_helpers.h"
#include "gcode/axis_letter.h"
#include "gcode/gcode_writer.h"
#include "gcode/machine_program.h"

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

// One file type of the prompt and how the workspace's job is written as it.
struct OutputType {
  FileType type;
  std::string name;  // in "<name> SAVED OK" and "<name> NOT SAVED: <reason>"
  bool program;      // a G-code program, whose header counts the objects
  // The file's bytes for the job with the program header it is written with, or why the job
  // cannot be written as this type.
  std::function<FormattedOutput(const Workspace&, const ProgramHeader&)> format;
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
  // Lower-case extensions, the samples' case: file names are case-sensitive.
  return {described ? FileType{"NGC(*.NGC)", "*.NGC", "ngc"}
                    : FileType{"G-code, " + title, "*.ngc", "ngc"},
          "G CODE", true,
          [machine](const Workspace& workspace, const ProgramHeader& header) -> FormattedOutput {
            if (!machine.profile) return {{}, JoinLines(machine.problems)};
            const MachineProfile& profile = *machine.profile;
            if (auto problem = MachineJobProblem(workspace.job, header, profile)) {
              return {{}, problem};
            }
            auto cut = CutPartWith(workspace.job, profile, profile.toolpath.kerf);
            if (auto* problem = std::get_if<std::string>(&cut)) return {{}, std::move(*problem)};
            return {FormatMachineProgram(workspace.job, std::get<CutPart>(cut).cuts, header, profile),
                    std::nullopt};
          }};
}

// A template or the flat pattern of the last accepted job.
OutputType ShopOutputType(FileType type, std::string name, ShopOutput output, Paper paper) {
  return {std::move(type), std::move(name), false,
          [output, paper](const Workspace& workspace, const ProgramHeader&) {
            return FormatWorkspaceOutput(workspace, output, paper);
          }};
}

// The types the prompt offers: the described program first, the other machines' programs, then
// the templates and the flat pattern.
std::vector<OutputType> OutputTypes() {
  std::vector<OutputType> types;
  for (const MachineEntry& machine : LoadMachineEntries(UserMachinesFolder()))
    types.push_back(MachineOutput(machine));
  const struct {
    const char* label;
    Paper paper;
  } templatePages[] = {{"Template PDF, A4 portrait(*.pdf)", Paper::A4},
                       {"Template PDF, A4 landscape(*.pdf)", Paper::A4Landscape},
                       {"Template PDF, Letter portrait(*.pdf)", Paper::Letter},
                       {"Template PDF, Letter landscape(*.pdf)", Paper::LetterLandscape}};
  for (const auto& [label, paper] : templatePages) {
    types.push_back(
        ShopOutputType({label, "*.pdf", "pdf"}, "TEMPLATE", ShopOutput::PdfTemplate, paper));
  }
  types.push_back(ShopOutputType({"Template SVG(*.svg)", "*.svg", "svg"}, "TEMPLATE",
                                 ShopOutput::SvgTemplate, Paper::A4));
  types.push_back(ShopOutputType({"Flat pattern DXF(*.dxf)", "*.dxf", "dxf"}, "DXF",
                                 ShopOutput::DxfPattern, Paper::A4));
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
  prompt.initialFolder = PromptFolder("GCODE");
  SetFileTypes(prompt, fileTypes);
  prompt.rememberTypeAs = "gcodeFileType";
  const std::optional<SaveChoice> choice = prompts.promptSaveChoice(prompt);
  if (!choice) return CommandOutcome::Cancelled;
  const std::string& path = choice->path;
  const OutputType& output = types.at(choice->fileType < types.size() ? choice->fileType : 0);
  // Formatted once, before anything is asked: a refused output asks nothing and writes nothing.
  ProgramHeader header = ProgramHeaderFor(workspace);
  header.objectCount = 2 + static_cast<int>(workspace.job.holes.size());  // the ends, the holes
  const FormattedOutput formatted = output.format(workspace, header);
  if (formatted.problem) {
    ShowFailure(prompts, output.name + " NOT SAVED: " + *formatted.problem);
    return CommandOutcome::Refused;
  }

  if (path.empty() || !MayReplace(prompts, path)) {
    ShowNothingSaved(prompts);
    return CommandOutcome::Cancelled;
  }

  if (output.program) workspace.cutObjectCount = header.objectCount;
  if (auto failure = WriteFileAtomically(path, formatted.bytes)) {
    ShowFailure(prompts, output.name + " NOT SAVED: " + *failure);
    return CommandOutcome::Failed;
  }
  ShowNotice(prompts, output.name + " SAVED OK");
  return CommandOutcome::Done;
}

}  // namespace korvex
