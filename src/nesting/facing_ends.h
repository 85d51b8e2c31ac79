#pragma once

#include <array>
#include <complex>

#include "nesting/part_ends.h"

namespace korvex::nesting_internal {

// Placements turn parts by whole degrees, so every end is sampled once a degree.
inline constexpr int kGridAngles = 360;

using GridCurve = std::array<double, kGridAngles>;

// One way a part can lie on a stick before it is turned: as drawn, or turned end for end (x
// becomes −x, the angle its negative). Its ends on the 1-degree grid, with what the pairing
// needs: extremes, means, the first two harmonics, and how far the true end (straight between
// its own samples) strays from the grid's straight pieces.
struct Orientation {
  GridCurve left{};
  GridCurve right{};
  double minLeft = 0, maxRight = 0;
  double meanLeft = 0, meanRight = 0;
  double leftStray = 0, rightStray = 0;
  std::array<std::complex<double>, 2> leftHarmonics{}, rightHarmonics{};
};

Orientation OrientationOf(const PartEnds& ends, bool flipped);

// Two neighbours on a stick: the least distance from the left one's offset to the right one's
// that keeps kerf between its right end and the right one's left end at every angle, and the
// turn (degrees, 0..359) of the right one relative to the left one that gives it.
struct Junction {
  double spacing = 0;
  int turn = 0;
};

// The spacing at one relative turn.
double SpacingAt(const Orientation& left, const Orientation& right, int turn, double kerf);

// The best spacing over a few candidate turns: none, those that line up the ends' first and
// second harmonics, each improved one degree at a time.
Junction BestJunction(const Orientation& left, const Orientation& right, double kerf);

}  // namespace korvex::nesting_internal
