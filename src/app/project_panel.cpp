#include "app/project_panel.h"

#include "app/control_ids.h"
#include "app/panel.h"

namespace korvex {
namespace {

constexpr std::array<ControlId, kProjectLineCount> kProjectControls{
    kReservedTextField,  kCutSegmentsField,     kMainDiameterField,   kThicknessField,
    kLeftDistanceField,  kLeftDiameterField,    kLeftAngleField,      kLeftAngleDiffField,
    kRightDistanceField, kRightDiameterField,   kRightAngleField,     kRightAngleDiffField,
    kLeftMode3dBox,      kLeftCutOvalBox,       kLeftCompensationBox, kRightMode3dBox,
    kRightCutOvalBox,    kRightCompensationBox, kReservedCheckBox,
};

}  // namespace

std::span<const ControlId, kProjectLineCount> ProjectControls() {
  return kProjectControls;
}

ProjectFields ProjectFieldsFromPanel(const Panel& panel) {
  ProjectFields fields;
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const int id = kProjectControls[i];
    fields[i] =
        ProjectLines()[i].isCheckState ? CheckStateText(panel.checkState(id)) : panel.text(id);
  }
  return fields;
}

void ApplyProjectFields(const ProjectFields& fields, Panel& panel) {
  for (std::size_t i = 0; i < fields.size(); ++i) {
    const int id = kProjectControls[i];
    if (ProjectLines()[i].isCheckState) {
      panel.setCheckState(id, CheckStateOf(fields[i]));
    } else {
      panel.setText(id, fields[i]);
    }
  }
}

}  // namespace korvex
