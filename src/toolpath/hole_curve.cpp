#include "toolpath/hole_curve.h"

#include <cmath>

#include "domain/hole_cut.h"
#include "domain/step_angles.h"
#include "toolpath/plane_geometry.h"

namespace korvex {
namespace {

constexpr double kTangentStep = 1e-7;  // radians round the branch either side of a point
constexpr double kBendStep = 1e-4;     // radians either side of a point for its curvature

class HoleCurve {
 public:
  HoleCurve(const ComputedJob& job, std::size_t hole)
      : job_(job.parameters), hole_(job.parameters.holes[hole]) {}

  HolePathPoint point(double phi) const { return HolePathAt(hole_, job_, phi); }

  // The unit tangent arriving at φ (sense −1) or leaving it (+1).
  PlaneVector tangent(double phi, int sense) const {
    const HolePathPoint a = point(phi), b = point(phi + sense * kTangentStep);
    const double dx = sense * (b.x - a.x), dy = sense * (b.y - a.y);
    const double length = std::hypot(dx, dy);
    return {dx / length, dy / length};
  }

  // The sample at φ with the tangents either side; the curvature of the circle through the
  // path's points a little before and after, above 0 where it turns left the way φ grows.
  CurveSample sample(double phi, const HolePathPoint& at) const {
    const HolePathPoint a = point(phi - kBendStep), c = point(phi + kBendStep);
    const PlaneVector ab{at.x - a.x, at.y - a.y}, bc{c.x - at.x, c.y - at.y};
    const double curvature =
        2 * Cross(ab, bc) /
        (std::hypot(ab.x, ab.y) * std::hypot(bc.x, bc.y) * std::hypot(c.x - a.x, c.y - a.y));
    return {kPi - at.y / job_.mainRadius,
            at.x,
            at.y,
            at.tilt,
            tangent(phi, -1),
            tangent(phi, +1),
            curvature};
  }

 private:
  const JobParameters& job_;
  const HoleParameters& hole_;
};

}  // namespace

std::vector<CurveSample> SampleHoleCurve(const ComputedJob& job, std::size_t hole) {
  const HoleCurve curve(job, hole);
  const CutPoints& path = job.holes[hole].path;
  const int n = job.parameters.cutSegments;
  std::vector<CurveSample> samples;
  for (int j = 0; j < n; ++j) {
    const double phi = StepAngle(j, n);
    const auto k = static_cast<std::size_t>(j);
    samples.push_back(curve.sample(phi, {path.x[k], path.y[k], path.z[k]}));
  }
  samples.push_back(samples.front());  // closed on its first point exactly
  return samples;
}

}  // namespace korvex
