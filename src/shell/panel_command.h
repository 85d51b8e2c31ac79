#pragma once

#include <cstdint>

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

// The panel's five commands, run to their end on a click that a button reports as WM_COMMAND
// with its control id in the low word of wParam and BN_CLICKED (0) or 1 in the high word.
// Other messages and notification codes, and the ids of check boxes and fields, do nothing.
void PanelCommand(unsigned message, std::uintptr_t wParam, Panel& panel, Prompts& prompts,
                  Workspace& workspace, CommandHost& host);

}  // namespace korvex
