#include "app/panel_command.h"

#include "app/project_commands.h"
#include "app/rebuild_scene.h"
#include "app/save_gcode_command.h"

namespace korvex {

void PanelCommand(ControlId clicked, Panel& panel, Prompts& prompts, Workspace& workspace,
                  CommandHost& host) {
  switch (clicked) {
    case kOpenButton:
      if (OpenProject(panel, prompts, workspace) == CommandOutcome::Done) host.showRebuiltScene();
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
