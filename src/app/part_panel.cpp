#include "app/part_panel.h"

#include <string_view>
#include <vector>

#include "app/control_table.h"
#include "app/panel.h"
#include "base/parse_number.h"

namespace korvex {
namespace {

// The panel's controls of the tube's and the ends' values.
struct Binding {
  PartField field;
  ControlId tube, left, right;
};

constexpr Binding kBindings[] = {
    {PartField::Diameter, kMainDiameterField, kLeftDiameterField, kRightDiameterField},
    {PartField::Wall, kThicknessField, kNoId, kNoId},
    {PartField::Segments, kCutSegmentsField, kNoId, kNoId},
    {PartField::AngleLetter, kAngleLetterField, kNoId, kNoId},
    {PartField::Distance, kNoId, kLeftDistanceField, kRightDistanceField},
    {PartField::Angle, kNoId, kLeftAngleField, kRightAngleField},
    {PartField::Turn, kNoId, kLeftAngleDiffField, kRightAngleDiffField},
    {PartField::Oval, kNoId, kLeftCutOvalBox, kRightCutOvalBox},
    {PartField::Compensation, kNoId, kLeftCompensationBox, kRightCompensationBox},
    {PartField::Mode3d, kNoId, kLeftMode3dBox, kRightMode3dBox},
};

// Every tube and end value the panel shows.
std::vector<PartPlace> PanelPlaces() {
  std::vector<PartPlace> places;
  for (const Binding& binding : kBindings) {
    for (const TubeEnd end : {TubeEnd::None, TubeEnd::Left, TubeEnd::Right}) {
      if (PanelControlOf({binding.field, end}) != kNoId) places.push_back({binding.field, end});
    }
  }
  return places;
}

std::string_view DefaultText(int id) {
  for (const PanelControl& control : ControlTable()) {
    if (control.id == id && control.defaultText) return control.defaultText;
  }
  return {};
}

}  // namespace

ControlId PanelControlOf(const PartPlace& place) {
  if (place.hole != 0) return kNoId;
  for (const Binding& binding : kBindings) {
    if (binding.field != place.field) continue;
    switch (place.end) {
      case TubeEnd::None:
        return binding.tube;
      case TubeEnd::Left:
        return binding.left;
      case TubeEnd::Right:
        return binding.right;
    }
  }
  return kNoId;
}

Part PanelDefaultPart() {
  Part part;
  for (const PartPlace& place : PanelPlaces()) {
    // Check boxes start unticked.
    if (!IsFlag(place)) SetPanelText(part, place, DefaultText(PanelControlOf(place)));
  }
  return part;
}

double PanelDefaultAtAngle() {
  return ParseNumber(DefaultText(kAtAngleField));
}

PartHole DefaultPartHole() {
  PartHole hole;
  hole.branchDiameter = ParseNumber(DefaultText(kLeftDiameterField));
  hole.branchWall = ParseNumber(DefaultText(kThicknessField));
  return hole;
}

Part PartFromPanel(const Panel& panel, Part base) {
  for (const PartPlace& place : PanelPlaces()) {
    const int id = PanelControlOf(place);
    if (IsFlag(place)) {
      SetCheckState(base, place, panel.checkState(id));
    } else {
      SetPanelText(base, place, panel.text(id));
    }
  }
  return base;
}

void ShowPartInPanel(const Part& part, Panel& panel) {
  for (const PartPlace& place : PanelPlaces()) {
    const int id = PanelControlOf(place);
    if (IsFlag(place)) {
      panel.setCheckState(id, CheckState(part, place));
    } else {
      panel.setText(id, PanelText(part, place));
    }
  }
}

}  // namespace korvex
