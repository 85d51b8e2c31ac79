#pragma once

#include <array>

namespace korvex {

// A part as the torch leaves it, along the tube (x, mm, the part's own frame) at every whole
// degree round the tube: the program's angles, 0 at its first point, 360·i/N at step i. Each
// curve runs straight between its degrees and bounds the truth everywhere in between, toward
// the scrap for what the torch reaches and toward the part for its steel, so that what is kept
// clear of one curve is clear of the truth.
inline constexpr int kExtentAngles = 360;
using AngleCurve = std::array<double, kExtentAngles>;

// One end on one surface of the wall. steel: where the part's steel ends, the edge of the
// end's kerf on the part's side. reach: how far any torch point's kerf (leads, pierce and
// overcut included) reaches beyond it into the scrap. For the left end both are least x, for
// the right end greatest x.
struct EndExtents {
  AngleCurve steel{};
  AngleCurve reach{};
};

struct SurfaceExtents {
  EndExtents left;
  EndExtents right;
};

enum Surface { kOuterSurface = 0, kInnerSurface = 1 };

struct PartExtents {
  std::array<SurfaceExtents, 2> surfaces;  // by Surface
  // The area of the part's outer surface as cut over the circumference: the mean, over the
  // angle round the tube, of the length of steel between its ends.
  double ownLength = 0;
};

// The curve at any angle in degrees, straight between its degrees.
double CurveAt(const AngleCurve& curve, double degrees);

}  // namespace korvex
