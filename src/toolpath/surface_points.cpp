#include "toolpath/surface_points.h"

#include <cmath>

#include "base/pi.h"

namespace korvex {

std::array<WallSurface, 2> WallSurfaces(const JobParameters& job) {
  return {{{job.mainRadius, 0}, {job.mainRadius - job.wallThickness, job.wallThickness}}};
}

std::vector<Flat> OnSurface(const std::vector<TorchPoint>& points, std::size_t first,
                            std::size_t last, double outerRadius, WallSurface surface,
                            double sense) {
  std::vector<Flat> flat;
  flat.reserve(last - first + 1);
  for (std::size_t k = first; k <= last; ++k) {
    const TorchPoint& p = points[k];
    const double theta = kPi - p.y / outerRadius;
    const double x = p.x - surface.depth * std::tan(Radians(p.tilt));
    flat.push_back({surface.radius * theta, sense * x});
  }
  return flat;
}

}  // namespace korvex
