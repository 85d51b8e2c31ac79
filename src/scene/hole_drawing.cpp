#include "scene/hole_drawing.h"

#include <cmath>

#include "domain/hole_cut.h"
#include "scene/cut_colours.h"
#include "scene/draw_list.h"

namespace korvex {
namespace {

// The point at unrolled y on the surface of radius r: y = R·(kPi − θ) round the tube.
Vertex OnSurface(double x, double y, double outerRadius, double r) {
  const double theta = kPi - y / outerRadius;
  return {static_cast<float>(x), static_cast<float>(r * std::sin(theta)),
          static_cast<float>(r * std::cos(theta))};
}

void DrawCurve(const std::array<double, kCutPointCapacity>& x,
               const std::array<double, kCutPointCapacity>& y, double outerRadius, double r,
               int segments, DrawList& list) {
  for (int j = 0; j < segments; ++j) {
    list.addSegment(OnSurface(x[j], y[j], outerRadius, r),
                    OnSurface(x[j + 1], y[j + 1], outerRadius, r));
  }
}

// The branch's surface lines from the hole's outer curve outwards, one tube diameter long.
void DrawBranchBody(const HoleParameters& hole, const HoleCut& cut, double radius, int segments,
                    DrawList& list) {
  const double thetaC = kPi - hole.turn, length = 2 * radius;
  const double dx = std::sin(hole.angle) * length;
  const double dy = std::cos(hole.angle) * std::sin(thetaC) * length;
  const double dz = std::cos(hole.angle) * std::cos(thetaC) * length;
  for (int j = 0; j <= segments; ++j) {
    const Vertex from = OnSurface(cut.outer.x[j], cut.outer.y[j], radius, radius);
    list.addSegment(from, {from.x + static_cast<float>(dx), from.y + static_cast<float>(dy),
                           from.z + static_cast<float>(dz)});
  }
}

}  // namespace

void DrawHoleCut(const HoleParameters& hole, const HoleCut& cut, const JobParameters& job,
                 bool displayCut, DrawList& list) {
  const int n = job.cutSegments;
  const double radius = job.mainRadius;
  if (displayCut) {
    list.beginLines(kCuttingBodyColour);
    DrawBranchBody(hole, cut, radius, n, list);
  }
  list.setLineWidth(2);
  list.beginLines(kSurfaceCurveColour);
  DrawCurve(cut.outer.x, cut.outer.y, radius, radius, n, list);
  list.beginLines(kSurfaceCurveColour);
  DrawCurve(cut.inner.x, cut.inner.y, radius, radius - job.wallThickness, n, list);
  list.setLineWidth(5);
  list.beginLines(kMachinePathColour);
  DrawCurve(cut.path.x, cut.path.y, radius, radius, n, list);
  list.setLineWidth(1);
  list.beginLines(kFlatPatternColour);
  const auto z = static_cast<float>(-radius);
  for (int j = 0; j < n; ++j) {
    list.addSegment(
        {static_cast<float>(cut.path.x[j]), static_cast<float>(cut.path.y[j]), z},
        {static_cast<float>(cut.path.x[j + 1]), static_cast<float>(cut.path.y[j + 1]), z});
  }
}

}  // namespace korvex
