#include "scene/end_cut_drawing.h"

#include <cmath>

#include "domain/end_cut.h"
#include "domain/step_angles.h"
#include "scene/cut_colours.h"
#include "scene/draw_list.h"

namespace korvex {
namespace {

Vertex ToVertex(double x, double y, double z) {
  return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

// Turns points of the cutting body about the X axis by the end's angleDiff.
struct TurnAboutX {
  double sin, cos;
  explicit TurnAboutX(double angle) : sin(std::sin(angle)), cos(std::cos(angle)) {}
  Vertex operator()(double x, double y, double z) const {
    return ToVertex(x, y * cos - z * sin, y * sin + z * cos);
  }
};

// The joining tube's surface lines, one per step, its axis the offset beside the tube's.
void DrawTubeJointBody(const EndCutParameters& e, int segments, const StepAngles& steps,
                       DrawList& list) {
  const double rho = e.joinRadius, sinA = std::sin(e.angle), cosA = std::cos(e.angle);
  const TurnAboutX turn(e.angleDiff);
  for (int k = 0; k <= segments; ++k) {
    const double cosPsi = steps.cos[k], y = rho * steps.sin[k] - e.offset;
    auto point = [&](double t) {
      return turn(rho * cosPsi * cosA - t * sinA + e.distance, y, rho * cosPsi * sinA + t * cosA);
    };
    list.addSegment(point(e.lineEndPlus), point(e.lineEndMinus));
  }
}

// The cutting plane as lines across the tube every kPi/10 round it.
void DrawPlaneBody(const EndCutParameters& e, double radius, DrawList& list) {
  const double run = e.lineEndPlus * std::tan(e.angle);
  const TurnAboutX turn(e.angleDiff);
  for (double u = 0; u <= 2 * kPi; u += kPi / 10) {
    const double y = radius * std::sin(u);
    list.addSegment(turn(e.distance - run, y, e.lineEndPlus),
                    turn(e.distance + run, y, e.lineEndMinus));
  }
}

// A closed curve of N segments on the surface of radius r, at the unturned step angles.
void DrawSurfaceCurve(const std::array<double, kCutPointCapacity>& x, double r, int segments,
                      const StepAngles& a, DrawList& list) {
  for (int i = 0; i < segments; ++i) {
    list.addSegment(ToVertex(x[i], r * a.sin[i], r * a.cos[i]),
                    ToVertex(x[i + 1], r * a.sin[i + 1], r * a.cos[i + 1]));
  }
}

// The path unrolled into the plane z = −R below the tube.
void DrawFlatPattern(const CutPoints& path, double radius, int segments, DrawList& list) {
  const double z = -radius;
  for (int i = 0; i < segments; ++i) {
    list.addSegment(ToVertex(path.x[i], path.y[i], z), ToVertex(path.x[i + 1], path.y[i + 1], z));
  }
}

}  // namespace

void DrawEndCut(const EndCutParameters& end, const EndCut& cut, const JobParameters& job,
                const StepAngles& steps, bool displayCut, DrawList& list) {
  const int n = job.cutSegments;
  const double radius = job.mainRadius;
  if (displayCut) {
    list.beginLines(kCuttingBodyColour);
    if (ShapeOf(end) == CutShape::Plane) {
      DrawPlaneBody(end, radius, list);
    } else {
      DrawTubeJointBody(end, n, steps, list);
    }
  }
  list.setLineWidth(2);
  list.beginLines(kSurfaceCurveColour);
  DrawSurfaceCurve(cut.surfaces.outer, radius, n, steps, list);
  list.beginLines(kSurfaceCurveColour);
  DrawSurfaceCurve(cut.surfaces.inner, radius - job.wallThickness, n, steps, list);
  list.setLineWidth(5);
  list.beginLines(kMachinePathColour);
  DrawSurfaceCurve(cut.path.x, radius, n, steps, list);
  list.setLineWidth(1);
  list.beginLines(kFlatPatternColour);
  DrawFlatPattern(cut.path, radius, n, list);
}

}  // namespace korvex
