#include "app/project_commands.h"

#include "app/notices.h"
#include "app/panel.h"
#include "app/part_loading.h"
#include "app/part_panel.h"
#include "app/project_panel.h"
#include "app/prompt_folders.h"
#include "app/prompts.h"
#include "app/rebuild_scene.h"
#include "app/workspace.h"
#include "base/file_helpers.h"
#include "base/read_whole_file.h"
#include "project/part_file.h"
#include "project/project_file.h"

namespace korvex {
namespace {

constexpr const char* kDefaultProjectName = "korvex.kvx";
constexpr const char* kPartFileFilter = "Part file(*.kvxp)|*.kvxp|";

std::string ProjectFolder() {
  return PromptFolder("Projects");
}

void ShowProjectPath(Panel& panel, Workspace& workspace, const std::string& path) {
  workspace.projectPath = path;
  panel.setTitle("KVX - " + path);
}

// The file for the panel and the open part: a part file when the path ends in ".kvxp", else a
// project, which is refused when it would lose the part's offsets or holes.
FormattedProject FormatSavedFile(const std::string& path, const Panel& panel, const Part& open) {
  const Part part = PartFromPanel(panel, open);
  if (IsPartFilePath(path)) {
    FormattedPart file = FormatPartFile(part);
    return {std::move(file.bytes), std::move(file.refusal)};
  }
  if (NeedsPartFile(part)) {
    return {{},
            "the part has offsets, an inside fit or holes, which a .kvx project cannot hold; "
            "save it as a Part file (*.kvxp)"};
  }
  return FormatProjectFile(ProjectFieldsFromPanel(panel));
}

}  // namespace

std::optional<std::string> LoadProject(const std::string& path, Panel& panel, Part& part) {
  if (IsPartFilePath(path)) {
    auto read = ReadPart(path);
    if (auto* failure = std::get_if<std::string>(&read)) return std::move(*failure);
    part = std::move(std::get<Part>(read));
    ShowPartInPanel(part, panel);
    return std::nullopt;
  }
  // A project's texts go to the panel as they stand, so that SAVE writes them back unchanged.
  const FileContents contents = ReadWholeFile(path, kMaxProjectFileBytes);
  if (contents.failure) return contents.failure;
  const ProjectFields fields = ReadProjectFields(contents.bytes);
  ApplyProjectFields(fields, panel);
  part = PartFromProjectFields(fields, PanelDefaultPart());
  return std::nullopt;
}

CommandOutcome OpenProjectAt(const std::string& path, Panel& panel, Prompts& prompts,
                             Workspace& workspace) {
  // A file that cannot be read leaves the panel as it is rather than emptying every field.
  if (const auto failure = LoadProject(path, panel, workspace.part)) {
    ShowFailure(prompts, "PROJECT NOT OPENED: " + *failure);
    return CommandOutcome::Failed;
  }
  ShowProjectPath(panel, workspace, path);
  return RebuildSceneOrExplain(panel, prompts, workspace) ? CommandOutcome::Done
                                                          : CommandOutcome::Refused;
}

CommandOutcome OpenProject(Panel& panel, Prompts& prompts, Workspace& workspace) {
  const std::optional<std::string> path =
      prompts.promptOpenPath({"Open Project", workspace.projectPath, ProjectFolder(),
                              std::string("KVX(*.kvx)|*.kvx|") + kPartFileFilter, ""});
  if (!path) return CommandOutcome::Cancelled;
  return OpenProjectAt(*path, panel, prompts, workspace);
}

CommandOutcome SaveProject(Panel& panel, Prompts& prompts, Workspace& workspace) {
  if (workspace.projectPath.empty()) workspace.projectPath = kDefaultProjectName;
  FilePrompt prompt{"Save Project", workspace.projectPath, ProjectFolder(), "", ""};
  SetFileTypes(prompt, {{"KVX(*.KVX)", "*.KVX", "kvx"}, {"Part file(*.kvxp)", "*.kvxp", "kvxp"}});
  if (IsPartFilePath(workspace.projectPath)) {
    prompt.selectedType = 1;
    prompt.defaultExtension = "kvxp";
  }
  const std::optional<std::string> path = prompts.promptSavePath(prompt);
  if (!path) return CommandOutcome::Cancelled;
  const FormattedProject project = FormatSavedFile(*path, panel, workspace.part);
  // A part refused as a project keeps its own name, so that SAVE offers it again.
  if (IsPartFilePath(*path) || !NeedsPartFile(PartFromPanel(panel, workspace.part))) {
    ShowProjectPath(panel, workspace, *path);
  }
  if (project.refusal) {
    ShowFailure(prompts, "PROJECT NOT SAVED: " + *project.refusal);
    return CommandOutcome::Refused;
  }
  if (!MayReplace(prompts, *path)) {
    ShowNothingSaved(prompts);
    return CommandOutcome::Cancelled;
  }
  if (const auto failure = WriteFileAtomically(*path, project.bytes)) {
    ShowFailure(prompts, "PROJECT NOT SAVED: " + *failure);
    return CommandOutcome::Failed;
  }
  ShowNotice(prompts, "PROJECT SAVED OK");
  return CommandOutcome::Done;
}

}  // namespace korvex
