#include "app/part_panel.h"

#include <charconv>
#include <string_view>

#include "app/control_ids.h"
#include "app/control_table.h"
#include "app/panel.h"
#include "base/parse_number.h"

namespace korvex {
namespace {

struct EndControls {
  int distance, diameter, angle, turn, oval, compensation, mode3d;
};

constexpr EndControls kLeft{kLeftDistanceField,  kLeftDiameterField, kLeftAngleField,
                            kLeftAngleDiffField, kLeftCutOvalBox,    kLeftCompensationBox,
                            kLeftMode3dBox};
constexpr EndControls kRight{kRightDistanceField,  kRightDiameterField, kRightAngleField,
                             kRightAngleDiffField, kRightCutOvalBox,    kRightCompensationBox,
                             kRightMode3dBox};

std::string_view DefaultText(int id) {
  for (const PanelControl& control : ControlTable()) {
    if (control.id == id && control.defaultText) return control.defaultText;
  }
  return {};
}

double DefaultNumber(int id) {
  return ParseNumber(DefaultText(id));
}

// The shortest text that reads back as the same number.
std::string NumberText(double value) {
  char digits[32];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  return std::string(digits, end);
}

PartEnd DefaultEnd(const EndControls& ids) {
  PartEnd end;
  end.distance = DefaultNumber(ids.distance);
  end.diameter = DefaultNumber(ids.diameter);
  end.angle = DefaultNumber(ids.angle);
  end.turn = DefaultNumber(ids.turn);
  return end;
}

PartEnd EndFromPanel(const Panel& panel, const EndControls& ids, const EndExtras& extras) {
  PartEnd end;
  end.distance = ParseNumber(panel.text(ids.distance));
  end.diameter = ParseNumber(panel.text(ids.diameter));
  end.angle = ParseNumber(panel.text(ids.angle));
  end.turn = ParseNumber(panel.text(ids.turn));
  end.oval = panel.checkState(ids.oval) == 1;
  end.compensation = panel.checkState(ids.compensation) == 1;
  end.mode3d = panel.checkState(ids.mode3d) == 1;
  end.offset = extras.offset;
  end.fit = extras.fit;
  return end;
}

EndExtras ApplyEnd(const PartEnd& end, const EndControls& ids, Panel& panel) {
  panel.setText(ids.distance, NumberText(end.distance));
  panel.setText(ids.diameter, NumberText(end.diameter));
  panel.setText(ids.angle, NumberText(end.angle));
  panel.setText(ids.turn, NumberText(end.turn));
  panel.setCheckState(ids.oval, end.oval ? 1 : 0);
  panel.setCheckState(ids.compensation, end.compensation ? 1 : 0);
  panel.setCheckState(ids.mode3d, end.mode3d ? 1 : 0);
  return {end.offset, end.fit};
}

HoleParameters HoleOf(const PartHole& hole) {
  HoleParameters parameters;
  parameters.at = hole.at;
  parameters.turn = Radians(hole.turn);
  parameters.branchRadius = hole.branchDiameter / 2;
  parameters.branchWall = hole.branchWall;
  parameters.angle = Radians(hole.angle);
  parameters.offset = hole.offset;
  parameters.fit = hole.fit == HoleFitKind::SetIn ? HoleFit::SetIn : HoleFit::SetOn;
  parameters.compensation = hole.compensation ? 1 : 0;
  parameters.mode3d = hole.mode3d ? 1 : 0;
  return parameters;
}

}  // namespace

bool PartExtras::changesTheJob() const {
  return left.offset != 0 || right.offset != 0 || !holes.empty();
}

PartFile PanelDefaultPart() {
  PartFile part;
  part.diameter = DefaultNumber(kMainDiameterField);
  part.wall = DefaultNumber(kThicknessField);
  part.segments = RoundToInt(DefaultNumber(kCutSegmentsField));
  part.angleLetter = DefaultText(kAngleLetterField);
  part.left = DefaultEnd(kLeft);
  part.right = DefaultEnd(kRight);
  return part;
}

PartHole DefaultPartHole() {
  PartHole hole;
  hole.branchDiameter = DefaultNumber(kLeftDiameterField);
  hole.branchWall = DefaultNumber(kThicknessField);
  return hole;
}

PartFile PartFromPanel(const Panel& panel, const PartExtras& extras) {
  PartFile part;
  part.name = extras.name;
  part.quantity = extras.quantity;
  part.diameter = ParseNumber(panel.text(kMainDiameterField));
  part.wall = ParseNumber(panel.text(kThicknessField));
  part.segments = RoundToInt(ParseNumber(panel.text(kCutSegmentsField)));
  part.angleLetter = panel.text(kAngleLetterField);
  part.left = EndFromPanel(panel, kLeft, extras.left);
  part.right = EndFromPanel(panel, kRight, extras.right);
  part.holes = extras.holes;
  return part;
}

void ApplyPart(const PartFile& part, Panel& panel, PartExtras& extras) {
  panel.setText(kMainDiameterField, NumberText(part.diameter));
  panel.setText(kThicknessField, NumberText(part.wall));
  panel.setText(kCutSegmentsField, std::to_string(part.segments));
  panel.setText(kAngleLetterField, part.angleLetter);
  extras.name = part.name;
  extras.quantity = part.quantity;
  extras.left = ApplyEnd(part.left, kLeft, panel);
  extras.right = ApplyEnd(part.right, kRight, panel);
  extras.holes = part.holes;
}

JobParameters WithPartExtras(JobParameters job, const PartExtras& extras) {
  job.left.offset = extras.left.offset;
  job.right.offset = extras.right.offset;
  job.holes.clear();
  for (const PartHole& hole : extras.holes)
    job.holes.push_back(HoleOf(hole));
  return job;
}

}  // namespace korvex
