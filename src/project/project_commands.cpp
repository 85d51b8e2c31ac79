#include "project/project_commands.h"

#include "geometry/rebuild_scene.h"
#include "project/file_helpers.h"
#include "project/project_file.h"
#include "project/read_whole_file.h"
#include "shell/panel.h"
#include "shell/prompts.h"
#include "shell/workspace.h"

namespace korvex {
namespace {

constexpr const char* kNoticeTitle = "KORVEX";
constexpr const char* kDefaultProjectName = "korvex.kvx";

std::string ProjectFolder() {
  return ProgramFolder() + "Projects";
}

void ShowProjectPath(Panel& panel, Workspace& workspace, const std::string& path) {
  workspace.projectPath = path;
  panel.setTitle("KVX - " + path);
}

void Notify(Prompts& prompts, const std::string& text, MessageIcon icon) {
  prompts.showMessage(kNoticeTitle, text, icon);
}

}  // namespace

bool OpenProject(Panel& panel, Prompts& prompts, Workspace& workspace) {
  const std::optional<std::string> path = prompts.promptOpenPath(
      {"Open Project", workspace.projectPath, ProjectFolder(), "KVX(*.kvx)|*.kvx|", ""});
  if (!path) return false;

  // A file that cannot be read leaves the panel as it is rather than emptying every field.
  const FileContents contents = ReadWholeFile(*path, kMaxProjectFileBytes);
  if (contents.failure) {
    Notify(prompts, "PROJECT NOT OPENED: " + *contents.failure, MessageIcon::Error);
    return false;
  }

  ShowProjectPath(panel, workspace, *path);
  ApplyProjectFields(ReadProjectFields(contents.bytes), panel);
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
    Notify(prompts, "PROJECT NOT SAVED: " + *project.refusal, MessageIcon::Error);
    return;
  }
  if (FileExists(*path) &&
      !prompts.askOkCancel("Critical Warning", "FILE EXIST - DO YOU WANT TO OVERWRITE ?")) {
    Notify(prompts, "NOTHING SAVED", MessageIcon::Information);
    return;
  }
  if (const auto failure = WriteFileAtomically(*path, project.bytes)) {
    Notify(prompts, "PROJECT NOT SAVED: " + *failure, MessageIcon::Error);
    return;
  }
  Notify(prompts, "PROJECT SAVED OK", MessageIcon::Information);
}

}  // namespace korvex
