#include "app/project_panel.h"

#include "app/control_ids.h"
#include "app/panel.h"
#include "app/part_panel.h"

namespace korvex {
namespace {

// The control behind a line: the panel's control of the part's value it holds, or one of the
// two reserved controls.
std::array<ControlId, kProjectLineCount> ControlsOfLines() {
  std::array<ControlId, kProjectLineCount> ids{};
  for (std::size_t i = 0; i < ids.size(); ++i) {
    const ProjectLine& line = ProjectLines()[i];
    const bool reserved = line.place.field == PartField::Whole;
    ids[i] = !reserved             ? PanelControlOf(line.place)
             : line.isCheckState ? kReservedCheckBox
                                 : kReservedTextField;
  }
  return ids;
}

}  // namespace

std::span<const ControlId, kProjectLineCount> ProjectControls() {
  static const std::array<ControlId, kProjectLineCount> controls = ControlsOfLines();
  return controls;
}

ProjectFields ProjectFieldsFromPanel(const Panel& panel) {
  ProjectFields fields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const int id = ProjectControls()[i];
    fields[i] =
        ProjectLines()[i].isCheckState ? CheckStateText(panel.checkState(id)) : panel.text(id);
  }
  return fields;
}

void ApplyProjectFields(const ProjectFields& fields, Panel& panel) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const int id = ProjectControls()[i];
    if (ProjectLines()[i].isCheckState) {
      panel.setCheckState(id, CheckStateOf(fields[i]));
    } else {
      panel.setText(id, fields[i]);
    }
  }
}

}  // namespace korvex
