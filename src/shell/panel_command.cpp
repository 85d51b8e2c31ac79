#include "shell/panel_command.h"

#include "gcode/save_gcode_command.h"
#include "geometry/rebuild_scene.h"
#include "project/project_commands.h"
#include "shell/control_ids.h"

namespace korvex {
namespace {

constexpr unsigned kCommandMessage = 273;  // WM_COMMAND

int ControlIdOf(std::uintptr_t wParam) {
  return static_cast<int>(wParam & 0xFFFF);
}
unsigned NotificationOf(std::uintptr_t wParam) {
  return (wParam >> 16) & 0xFFFF;
}

}  // namespace

void PanelCommand(unsigned message, std::uintptr_t wParam, Panel& panel, Prompts& prompts,
                  Workspace& workspace, CommandHost& host) {
  if (message != kCommandMessage || NotificationOf(wParam) > 1) return;
  switch (ControlIdOf(wParam)) {
    case kOpenButton:
      if (OpenProject(panel, prompts, workspace)) host.showRebuiltScene();
      break;
    case kSaveButton:
      SaveProject(panel, prompts, workspace);
      break;
    case kUpdateParamsButton:
      if (RebuildSceneOrExplain(panel, prompts, workspace)) host.showRebuiltScene();
      break;
    case kSaveGcodeButton:
      SaveGcodeCommand(prompts, workspace);
      break;
    case kExitButton:
      host.endProgram();
      break;
    default:
      break;
  }
}

}  // namespace korvex
