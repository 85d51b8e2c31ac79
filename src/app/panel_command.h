#pragma once

#include "app/control_ids.h"

namespace korvex {

class Panel;
class Prompts;
struct Workspace;

// What the panel's commands need of the window around them.
class CommandHost {
 public:
  virtual ~CommandHost() = default;

  // The workspace holds a newly accepted scene: show it.
  virtual void showRebuiltScene() = 0;

  // EXIT: end the program normally.
  virtual void endProgram() = 0;
};

// Runs the command of the panel button that was clicked to its end. The ids of check boxes,
// fields and anything else do nothing.
void PanelCommand(ControlId clicked, Panel& panel, Prompts& prompts, Workspace& workspace,
                  CommandHost& host);

}  // namespace korvex
