#pragma once

#include <span>

namespace korvex {

enum class ControlKind { Frame, Label, EditField, CheckBox, ImageButton };

// One control of the panel, at pixel position (x, y) with size w x h in the main window.
struct PanelControl {
  int id;
  ControlKind kind;
  const char* caption;      // label, frame or button text; empty for edit fields
  const char* defaultText;  // edit fields only
  int x, y, w, h;
  const char* frame;  // caption of the frame the control sits in, empty when none
};

// Every control of the panel in creation order.
std::span<const PanelControl> ControlTable();

}  // namespace korvex
