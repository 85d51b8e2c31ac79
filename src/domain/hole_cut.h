#pragma once

#include <array>

#include "domain/job_parameters.h"

namespace korvex {

// A closed curve on one surface of the tube: x along the tube, y the unrolled circumference at
// the outer radius (as the machine path's y), for steps 0..N round the branch; N repeats 0.
struct SurfaceCurve {
  std::array<double, kCutPointCapacity> x{};
  std::array<double, kCutPointCapacity> y{};
};

// One computed hole: where the branch's surface meets the tube's outer and inner surface, and
// the machine path, whose x and y are also the hole's flat pattern on the unrolled tube.
struct HoleCut {
  SurfaceCurve outer;
  SurfaceCurve inner;
  CutPoints path;
};

// The most a 3D MODE hole leans the torch from square to the tube (degrees): beyond it the arc
// would run nearly along the surface, through many times the wall.
inline constexpr double kMaxHoleTilt = 80;

// The radius of the branch surface that makes the hole: the bore for a set-on branch, the
// outside for a set-in one.
double HoleRadius(const HoleParameters& hole);

// Computes the hole for steps φ = 2·j·kPi/N round the branch, j = 0..N.
HoleCut ComputeHoleCut(const HoleParameters& hole, const JobParameters& job);

// A point of a hole's machine path: x along the tube, y the unrolled circumference (mm), the
// torch tilt (degrees).
struct HolePathPoint {
  double x, y, tilt;
};

// The hole's machine path at any φ round the branch: at φ = StepAngle(j, N) it is the path's
// point j.
HolePathPoint HolePathAt(const HoleParameters& hole, const JobParameters& job, double phi);

// What a 3D MODE hole's path asks of the machine and of the branch, over its computed steps:
// the steepest tilt (degrees, either way) and how far its cut on the outer surface reaches
// beyond the branch's outside (mm; below 0 while the branch covers it).
struct TiltedHoleReach {
  double steepestTilt;
  double beyondBranch;
};
TiltedHoleReach MeasureTiltedHole(const HoleParameters& hole, const JobParameters& job);

}  // namespace korvex
