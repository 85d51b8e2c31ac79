#pragma once

#include <array>
#include <optional>
#include <span>
#include <string>
#include <string_view>

#include "domain/part.h"

namespace korvex {

// A value of a part as the operator finds it. Which end or hole it belongs to is said beside
// it, in a PartPlace.
enum class PartField {
  Name,
  Quantity,
  Diameter,  // the main tube's; with an end, the DIAMETER of the tube the end fits onto
  Wall,
  Segments,
  AngleLetter,
  Distance,
  Angle,
  Turn,  // an end's Angle DIFF or a hole's turn
  Oval,
  Compensation,
  Mode3d,
  Offset,
  Fit,
  JoiningWall,
  At,
  BranchDiameter,
  BranchWall,
  Whole,  // the end, the hole or the part as a whole
};

// Where a value of a part sits: its field, and its end or hole (counted from 1; 0 for none).
struct PartPlace {
  PartField field = PartField::Whole;
  TubeEnd end = TubeEnd::None;
  int hole = 0;
  friend bool operator==(const PartPlace&, const PartPlace&) = default;
};

// The range a number of a part is kept in.
enum class FieldRange { Any, Positive, NotNegative, Angle };

// Why a number is not one of its range ("must be greater than 0"), or nothing when it is.
std::optional<std::string> RangeProblem(double value, FieldRange range);

// One value of an end or a hole: the part file's key, the caption the panel and the part editor
// show, and where it is kept: a number with its range, a flag, or a choice of two words.
template <typename Owner, typename Choice>
struct FieldOf {
  PartField field;
  const char* key;
  const char* caption;
  double Owner::*number = nullptr;
  FieldRange range = FieldRange::Any;
  bool Owner::*flag = nullptr;
  Choice Owner::*choice = nullptr;
  std::array<const char*, 2> words{};  // the choice's words, in the order of its values
};

using EndField = FieldOf<PartEnd, EndFit>;
using HoleField = FieldOf<PartHole, HoleFit>;
using JointField = FieldOf<PartJoint, EndFit>;  // no choice among them

// Every value of an end, in the order a part file holds them. The one list of them: the part
// file, the panel and the part editor go through it.
std::span<const EndField> EndFields();

// Every value of an end's further joining tube, in the order a part file holds them: the end's
// own keys for the same values.
std::span<const JointField> JointFields();

// Every value of a hole, in the order a part file holds them.
std::span<const HoleField> HoleFields();

// A tube or end value as a panel text gives it: a number read leniently as the panel reads it
// (CUT SEGMENTS rounded to a whole number), the ANGLE LETTER as it stands, a flag ticked by check
// state 1. Places of other values are left alone.
void SetPanelText(Part& part, const PartPlace& place, std::string_view text);
void SetCheckState(Part& part, const PartPlace& place, int state);

// The value at a place as the panel shows it: a number in its shortest text that reads back the
// same, a flag as check state 0 or 1.
std::string PanelText(const Part& part, const PartPlace& place);
int CheckState(const Part& part, const PartPlace& place);

// True when the place holds a flag.
bool IsFlag(const PartPlace& place);

}  // namespace korvex
