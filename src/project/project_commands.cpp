#include "project/project_commands.h"

#include "geometry/rebuild_scene.h"
#include "project/file_helpers.h"
#include "project/project_file.h"
#include "project/read_whole_file.h"
#include "shell/notices.h"
#include "shell/panel.h"
#include "shell/prompts.h"
#include "shell/workspace.h"

namespace korvex {
namespace {

constexpr const char* kDefaultProjectName = "korvex.kvx";

std::string ProjectFolder() {
  return ProgramFolder() + "Projects";
}

void ShowProjectPath(Panel& panel, Workspace& workspace, const std::string& path) {
  workspace.projectPath = path;
  panel.setTitle("KVX - " + path);
}

}  // namespace

std::optional<std::string> LoadProject(const std::string& path, Panel& panel) {
  const FileContents contents = ReadWholeFile(path, kMaxProjectFileBytes);
  if (contents.failure) return contents.failure;
  ApplyProjectFields(ReadProjectFields(contents.bytes), panel);
  return std::nullopt;
}

bool OpenProject(Panel& panel, Prompts& prompts, Workspace& workspace) {
  const std::optional<std::string> path = prompts.promptOpenPath(
      {"Open Project", workspace.projectPath, ProjectFolder(), "KVX(*.kvx)|*.kvx|", ""});
  if (!path) return false;

  // A file that cannot be read leaves the panel as it is rather than emptying every field.
  if (const auto failure = LoadProject(*path, panel)) {
    ShowFailure(prompts, "PROJECT NOT OPENED: " + *failure);
    return false;
  }
  ShowProjectPath(panel, workspace, *path);
  return RebuildSceneOrExplain(panel, prompts, workspace);
}

void SaveProject(Panel& panel, Prompts& prompts, Workspace& workspace) {
  if (workspace.projectPath.empty()) workspace.projectPath = kDefaultProjectName;
  const std::optional<std::string> path = prompts.promptSavePath(
      {"Save Project", workspace.projectPath, ProjectFolder(), "KVX(*.KVX)|*.KVX|", "KVX"});
  if (!path) return;
  ShowProjectPath(panel, workspace, *path);

  const FormattedProject project = FormatProjectFile(panel);
  if (project.refusal) {
    ShowFailure(prompts, "PROJECT NOT SAVED: " + *project.refusal);
    return;
  }
  if (!MayReplace(prompts, *path)) {
    ShowNothingSaved(prompts);
    return;
  }
  if (const auto failure = WriteFileAtomically(*path, project.bytes)) {
    ShowFailure(prompts, "PROJECT NOT SAVED: " + *failure);
    return;
  }
  ShowNotice(prompts, "PROJECT SAVED OK");
}

}  // namespace korvex
