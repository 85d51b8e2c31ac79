#pragma once

#include <array>
#include <string>
#include <vector>

#include "base/pi.h"

namespace korvex {

// Entries of a cut point array: angular steps 0 to kMaxCutSegments.
inline constexpr int kMaxCutSegments = 1000;
inline constexpr int kCutPointCapacity = kMaxCutSegments + 1;

// The largest magnitude of a program coordinate (mm, degrees). Such a number takes at most 14
// characters with three decimals, so a point line stays far below the 255 characters that
// controllers read.
inline constexpr double kMaxProgramCoordinate = 1e9;

// A further tube a fitted end meets at the same place, beside the one the end's own values
// describe: the same values, for that tube.
struct JoiningTube {
  double joinRadius = 0;
  double angle = 0;  // radians
  double distance = 0;
  double angleDiff = 0;  // radians
  double offset = 0;
};

struct EndCutParameters {
  bool cutOval = false;  // fit the end onto a joining tube instead of cutting it by a plane
  double joinRadius = 0;
  double angle = 0;  // radians
  double distance = 0;
  double angleDiff = 0;  // radians
  int compensation = 0;
  int mode3d = 0;
  double lineEndPlus = 100;
  double lineEndMinus = -100;
  // For a fitted end: how far the joining tube's axis passes beside this tube's axis, measured
  // square to both; 0 when the axes meet.
  double offset = 0;
  // With CUT OVAL the end fits against these tubes too: round the end, the cut lies where the
  // tube first meets any of them.
  std::vector<JoiningTube> moreTubes = {};
};

// How a branch meets the tube a hole is cut in: standing on its outer surface, so the hole is
// the branch's bore, or passing through its wall, so the hole is the branch's outside.
enum class HoleFit { SetOn, SetIn };

// A hole where a branch meets this tube.
struct HoleParameters {
  double at = 0;    // along the tube (mm): where the branch's axis passes nearest the tube's axis
  double turn = 0;  // radians round the tube; 0 puts the hole's middle at Y = 0
  double branchRadius = 0;  // outside
  double branchWall = 0;
  double angle = 0;   // radians from square to the tube; positive leans the branch towards +X
  double offset = 0;  // the branch's axis beside this tube's axis, square to both
  HoleFit fit = HoleFit::SetOn;
  int compensation = 0;
  int mode3d = 0;
};

struct JobParameters {
  double mainRadius = 0;
  double mainDiameter = 0;
  double wallThickness = 0;
  int cutSegments = 0;
  std::string axisLetter;
  EndCutParameters left;
  EndCutParameters right;
  std::vector<HoleParameters> holes;
  double referenceXMin = -5000;
  double referenceXMax = 5000;
};

// The job KORVEX starts with: a 40 mm tube with a 4 mm wall in 90 segments, both ends cut flat
// at 45 degrees 100 mm either side of the middle, the tilt on axis A.
JobParameters DefaultJob();

// One end's machine path: x along the tube (mm), y the unrolled circumference (mm), z the torch
// tilt (degrees), for angular steps 0..N.
struct CutPoints {
  std::array<double, kCutPointCapacity> x{};
  std::array<double, kCutPointCapacity> y{};
  std::array<double, kCutPointCapacity> z{};
};

}  // namespace korvex
