#pragma once

#include <array>
#include <cstddef>
#include <vector>

#include "domain/job_parameters.h"
#include "toolpath/torch_point.h"

namespace korvex {

// A point of a torch's line on one surface of the wall, unrolled: u round the surface and x
// along the tube, both mm.
struct Flat {
  double u, x;
};

// One surface of the wall: its radius, and how far the torch's line has run from the outer
// surface to reach it.
struct WallSurface {
  double radius;
  double depth;
};

// The outer and the inner surface of the job's tube.
std::array<WallSurface, 2> WallSurfaces(const JobParameters& job);

// Where the torch's line meets the surface at points first..last of a path: round the tube
// θ = π − y/R, continued over further turns; along it x, leaning by the torch's tilt, times
// sense (−1 mirrors the part end for end).
std::vector<Flat> OnSurface(const std::vector<TorchPoint>& points, std::size_t first,
                            std::size_t last, double outerRadius, WallSurface surface,
                            double sense = 1);

}  // namespace korvex
