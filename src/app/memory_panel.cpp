#include "app/memory_panel.h"

#include "app/control_table.h"

namespace korvex {

MemoryPanel::MemoryPanel() {
  for (const PanelControl& control : ControlTable()) {
    if (control.kind == ControlKind::EditField) texts_[control.id] = control.defaultText;
    if (control.kind == ControlKind::CheckBox) checkStates_[control.id] = 0;
  }
}

std::string MemoryPanel::text(int id) const {
  auto found = texts_.find(id);
  return found == texts_.end() ? std::string() : found->second;
}

void MemoryPanel::setText(int id, const std::string& text) {
  if (auto found = texts_.find(id); found != texts_.end()) found->second = text;
}

int MemoryPanel::checkState(int id) const {
  auto found = checkStates_.find(id);
  return found == checkStates_.end() ? 0 : found->second;
}

void MemoryPanel::setCheckState(int id, int state) {
  if (auto found = checkStates_.find(id); found != checkStates_.end())
    found->second = state == 1 ? 1 : 0;
}

}  // namespace korvex
