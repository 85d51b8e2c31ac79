#include "project/part_fields.h"

#include <charconv>
#include <cmath>

#include "base/parse_number.h"

namespace korvex {
namespace {

constexpr std::array<const char*, 2> kEndFits{"outside", "inside"};
constexpr std::array<const char*, 2> kHoleFits{"set-on", "set-in"};

using enum PartField;
using FieldRange::Any;
using FieldRange::NotNegative;
using FieldRange::Positive;

const std::array kEndFields{
    EndField{Distance, "distance", "DISTANCE", &PartEnd::distance},
    EndField{Diameter, "diameter", "DIAMETER", &PartEnd::diameter, NotNegative},
    EndField{Angle, "angle", "ANGLE", &PartEnd::angle, FieldRange::Angle},
    EndField{Turn, "turn", "Angle DIFF", &PartEnd::turn},
    EndField{Oval, "oval", "CUT OVAL", nullptr, Any, &PartEnd::oval},
    EndField{Compensation, "compensation", "COMPENSATION MODE", nullptr, Any,
             &PartEnd::compensation},
    EndField{Mode3d, "mode-3d", "3D MODE", nullptr, Any, &PartEnd::mode3d},
    EndField{Offset, "offset", "offset", &PartEnd::offset},
    EndField{Fit, "fit", "fit", nullptr, Any, nullptr, &PartEnd::fit, kEndFits},
    EndField{JoiningWall, "joining-wall", "joining wall", &PartEnd::joiningWall, NotNegative},
};

const std::array kJointFields{
    JointField{Distance, "distance", "DISTANCE", &PartJoint::distance},
    JointField{Diameter, "diameter", "DIAMETER", &PartJoint::diameter, Positive},
    JointField{Angle, "angle", "ANGLE", &PartJoint::angle, FieldRange::Angle},
    JointField{Turn, "turn", "Angle DIFF", &PartJoint::turn},
    JointField{Offset, "offset", "offset", &PartJoint::offset},
};

const std::array kHoleFields{
    HoleField{At, "at", "at", &PartHole::at},
    HoleField{Turn, "turn", "turn", &PartHole::turn},
    HoleField{BranchDiameter, "branch-diameter", "branch-diameter", &PartHole::branchDiameter,
              Positive},
    HoleField{BranchWall, "branch-wall", "branch-wall", &PartHole::branchWall, NotNegative},
    HoleField{Angle, "angle", "angle", &PartHole::angle, FieldRange::Angle},
    HoleField{Offset, "offset", "offset", &PartHole::offset},
    HoleField{Fit, "fit", "fit", nullptr, Any, nullptr, &PartHole::fit, kHoleFits},
    HoleField{Compensation, "compensation", "compensation", nullptr, Any,
              &PartHole::compensation},
    HoleField{Mode3d, "mode-3d", "mode-3d", nullptr, Any, &PartHole::mode3d},
};

const EndField* EndFieldOf(PartField field) {
  for (const EndField& candidate : kEndFields) {
    if (candidate.field == field) return &candidate;
  }
  return nullptr;
}

// The number at a tube or end place of a part or a const part, or nothing there.
template <typename P>
auto NumberAt(P& part, const PartPlace& place) -> decltype(&part.diameter) {
  if (place.hole != 0) return nullptr;
  if (place.end == TubeEnd::None) {
    if (place.field == Diameter) return &part.diameter;
    if (place.field == Wall) return &part.wall;
    return nullptr;
  }
  const EndField* field = EndFieldOf(place.field);
  return field && field->number ? &(EndOf(part, place.end).*field->number) : nullptr;
}

template <typename P>
auto FlagAt(P& part, const PartPlace& place) -> decltype(&part.left.oval) {
  if (place.hole != 0 || place.end == TubeEnd::None) return nullptr;
  const EndField* field = EndFieldOf(place.field);
  return field && field->flag ? &(EndOf(part, place.end).*field->flag) : nullptr;
}

bool IsTubePlace(const PartPlace& place, PartField field) {
  return place.hole == 0 && place.end == TubeEnd::None && place.field == field;
}

// The shortest text that reads back as the same number.
std::string NumberText(double value) {
  char digits[32];
  const auto [end, error] = std::to_chars(digits, digits + sizeof digits, value);
  return std::string(digits, end);
}

}  // namespace

void SetPanelText(Part& part, const PartPlace& place, std::string_view text) {
  if (IsTubePlace(place, Segments)) {
    part.segments = RoundToInt(ParseNumber(text));
  } else if (IsTubePlace(place, AngleLetter)) {
    part.angleLetter = std::string(text);
  } else if (double* number = NumberAt(part, place)) {
    *number = ParseNumber(text);
  }
}

void SetCheckState(Part& part, const PartPlace& place, int state) {
  if (bool* flag = FlagAt(part, place)) *flag = state == 1;
}

std::string PanelText(const Part& part, const PartPlace& place) {
  if (IsTubePlace(place, Segments)) return std::to_string(part.segments);
  if (IsTubePlace(place, AngleLetter)) return part.angleLetter;
  const double* number = NumberAt(part, place);
  return number ? NumberText(*number) : std::string();
}

int CheckState(const Part& part, const PartPlace& place) {
  const bool* flag = FlagAt(part, place);
  return flag && *flag ? 1 : 0;
}

bool IsFlag(const PartPlace& place) {
  const Part part;
  return FlagAt(part, place) != nullptr;
}

std::optional<std::string> RangeProblem(double value, FieldRange range) {
  if (!std::isfinite(value)) return std::string("must be a finite number");
  switch (range) {
    case FieldRange::Any:
      break;
    case FieldRange::Positive:
      if (!(value > 0)) return std::string("must be greater than 0");
      break;
    case FieldRange::NotNegative:
      if (value < 0) return std::string("must not be less than 0");
      break;
    case FieldRange::Angle:
      if (!(std::fabs(value) < 90)) return std::string("must lie between -90 and 90 degrees");
      break;
  }
  return std::nullopt;
}

std::span<const EndField> EndFields() {
  return kEndFields;
}

std::span<const JointField> JointFields() {
  return kJointFields;
}

std::span<const HoleField> HoleFields() {
  return kHoleFields;
}

}  // namespace korvex
