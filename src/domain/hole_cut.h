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

// The radius of the branch surface that makes the hole: the bore for a set-on branch, the
// outside for a set-in one.
double HoleRadius(const HoleParameters& hole);

// Computes the hole for steps φ = 2·j·kPi/N round the branch, j = 0..N.
HoleCut ComputeHoleCut(const HoleParameters& hole, const JobParameters& job);

}  // namespace korvex
