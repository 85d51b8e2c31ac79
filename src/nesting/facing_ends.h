#pragma once

#include <array>
#include <complex>

#include "domain/part_extents.h"
#include "nesting/nest_parts.h"

namespace korvex::nesting_internal {

// Placements turn parts by whole degrees, as the parts' extents are given.
inline constexpr int kGridAngles = kExtentAngles;

using GridCurve = AngleCurve;

// One end of an oriented part on one surface: where its steel ends and how far its torch
// reaches (the part's extents, see PartExtents).
struct EndGrid {
  GridCurve steel{};
  GridCurve reach{};
};

struct SurfaceGrid {
  EndGrid left;
  EndGrid right;
};

// One way a part can lie on a stick before it is turned: as drawn, or turned end for end (x
// becomes −x, the angle its negative). Its extents on both surfaces, with what the pairing
// needs: extremes, the means and first two harmonics of its outer steel.
struct Orientation {
  std::array<SurfaceGrid, 2> surfaces{};
  double minLeft = 0;        // the least x of its steel
  double minReachLeft = 0;   // the least x its torch reaches
  double maxRight = 0;       // the greatest x of its steel
  double maxReachRight = 0;  // the greatest x its torch reaches
  double meanLeft = 0, meanRight = 0;            // of its outer steel
  double meanReachLeft = 0, meanReachRight = 0;  // of its torch's reach on the outer surface
  std::array<std::complex<double>, 2> leftHarmonics{}, rightHarmonics{};
};

Orientation OrientationOf(const PartExtents& part, bool flipped);

// The offset of an orientation that starts a stick: its steel at the stick's start, or after a
// trim its torch clear of the trimmed end.
double StartOffset(const Orientation& o, const StockRules& stock);

// Two neighbours on a stick: the least distance from the left one's offset to the right one's
// that keeps each one's torch clear of the other's steel at every angle on both surfaces, and
// the turn (degrees, 0..359) of the right one relative to the left one that gives it.
struct Junction {
  double spacing = 0;
  int turn = 0;
};

// The best spacing over a few candidate turns: none, those that line up the ends' first and
// second harmonics, each improved one degree at a time.
Junction BestJunction(const Orientation& left, const Orientation& right);

}  // namespace korvex::nesting_internal
