#include "geometry/end_cut.h"

#include <algorithm>
#include <cmath>

#include "geometry/step_angles.h"
#include "view/draw_list.h"

namespace korvex {
namespace {

constexpr Rgba kCuttingBodyColour{0, 1, 0, 1};
constexpr Rgba kSurfaceCurveColour{0, 1, 1, 1};
constexpr Rgba kMachinePathColour{1, 0, 0, 1};
constexpr Rgba kFlatPatternColour{0, 0, 0, 1};

struct PointXZ {
  double x, z;
};

// The two points that span the joint line at the height of the tube's surface line.
struct JointLine {
  PointXZ first, second;
};

// The x where the joint line crosses the tube's surface line from (xMin, zc) to
// (xMax, zc).
double IntersectAtHeight(const JointLine& line, double xMin, double xMax, double zc) {
  const double x1 = line.first.x, z1 = line.first.z;
  const double x2 = line.second.x, z2 = line.second.z;
  const double x3 = xMin, x4 = xMax, z3 = zc, z4 = zc;
  return ((x3 - x4) * (x1 * z2 - x2 * z1) - (x1 - x2) * (x3 * z4 - x4 * z3)) /
         ((z3 - z4) * (x1 - x2) - (x3 - x4) * (z1 - z2));
}

// The joining tube's surface line whose points share y = r·sin θ with the main tube's surface
// line, on the side of the joining tube that faces the middle of the main tube: the line at
// polar angle φ on that tube, φ = asin(s) for the left end and asin(s) − kPi for the right.
// cos φ is taken from cos(asin s) = √(1 − s²) and, for the right end, the angle-difference
// rule with kPi's own sine and cosine, which saves two transcendental calls per point.
JointLine TubeJointLine(int side, const EndCutParameters& end, double sinA, double cosA, double r,
                        double sinTheta) {
  static const double sinPi = std::sin(kPi), cosPi = std::cos(kPi);
  const double rho = end.joinRadius;
  // Rounding must never push equal diameters outside the arcsine's domain.
  const double s = std::clamp(r * sinTheta / rho, -1.0, 1.0);
  const double cosAsin = std::sqrt(1 - s * s);
  const double cosPhi = side < 0 ? cosAsin : cosAsin * cosPi + s * sinPi;
  const double offset = rho * cosPhi;
  auto at = [&](double t) {
    return PointXZ{offset * cosA - sinA * t + end.distance, offset * sinA + cosA * t};
  };
  return {at(end.lineEndPlus), at(end.lineEndMinus)};
}

// The cutting plane's trace in the XZ plane.
JointLine PlaneLine(const EndCutParameters& end) {
  const double run = end.lineEndPlus * std::tan(end.angle);
  return {{end.distance - run, end.lineEndPlus}, {end.distance + run, end.lineEndMinus}};
}

void ComputeSurface(CutShape shape, int side, const EndCutContext& c, double r,
                    std::array<double, kCutPointCapacity>& x) {
  const JointLine plane = PlaneLine(c.end);
  const double sinA = std::sin(c.end.angle), cosA = std::cos(c.end.angle);
  for (int i = 0; i <= c.job.cutSegments; ++i) {
    const JointLine line = shape == CutShape::Plane
                               ? plane
                               : TubeJointLine(side, c.end, sinA, cosA, r, c.cutSteps.sin[i]);
    x[i] = IntersectAtHeight(line, c.job.referenceXMin, c.job.referenceXMax, r * c.cutSteps.cos[i]);
  }
}

double MachineX(const EndCutParameters& end, double outer, double inner) {
  if (end.mode3d != 1 && end.compensation == 1) {
    return std::fabs(inner) < std::fabs(outer) ? inner : outer;
  }
  return outer;
}

double TiltDegrees(const EndCutParameters& end, double outer, double inner, double thickness) {
  if (end.mode3d != 1) return 0;
  return std::atan((outer - inner) / thickness) * 180 / kPi;
}

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

void DrawTubeJointBody(const EndCutContext& c, DrawList& list) {
  const EndCutParameters& e = c.end;
  const double rho = e.joinRadius, sinA = std::sin(e.angle), cosA = std::cos(e.angle);
  const TurnAboutX turn(e.angleDiff);
  for (int k = 0; k <= c.job.cutSegments; ++k) {
    const double cosPsi = c.drawSteps.cos[k], y = rho * c.drawSteps.sin[k];
    auto point = [&](double t) {
      return turn(rho * cosPsi * cosA - t * sinA + e.distance, y, rho * cosPsi * sinA + t * cosA);
    };
    list.addSegment(point(e.lineEndPlus), point(e.lineEndMinus));
  }
}

void DrawPlaneBody(const EndCutContext& c, DrawList& list) {
  const EndCutParameters& e = c.end;
  const double run = e.lineEndPlus * std::tan(e.angle);
  const double radius = c.job.mainRadius;
  const TurnAboutX turn(e.angleDiff);
  for (double u = 0; u <= 2 * kPi; u += kPi / 10) {
    const double y = radius * std::sin(u);
    list.addSegment(turn(e.distance - run, y, e.lineEndPlus),
                    turn(e.distance + run, y, e.lineEndMinus));
  }
}

// A closed curve of N segments on the surface of radius r, at the unturned step angles.
void DrawSurfaceCurve(const EndCutContext& c, const std::array<double, kCutPointCapacity>& x,
                      double r, DrawList& list) {
  const StepAngles& a = c.drawSteps;
  for (int i = 0; i < c.job.cutSegments; ++i) {
    list.addSegment(ToVertex(x[i], r * a.sin[i], r * a.cos[i]),
                    ToVertex(x[i + 1], r * a.sin[i + 1], r * a.cos[i + 1]));
  }
}

void DrawFlatPattern(const EndCutContext& c, const CutPoints& cut, DrawList& list) {
  const double z = -c.job.mainRadius;
  for (int i = 0; i < c.job.cutSegments; ++i) {
    list.addSegment(ToVertex(cut.x[i], cut.y[i], z), ToVertex(cut.x[i + 1], cut.y[i + 1], z));
  }
}

void ComputeEndCut(CutShape shape, int side, const EndCutContext& c, CutPoints& cut,
                   DrawList& list) {
  const JobParameters& job = c.job;
  const int n = job.cutSegments;
  const double radius = job.mainRadius;

  if (c.displayCut) {
    list.beginLines(kCuttingBodyColour);
    shape == CutShape::Plane ? DrawPlaneBody(c, list) : DrawTubeJointBody(c, list);
  }

  CutSurfaces surfaces;
  ComputeCutSurfaces(shape, side, c, surfaces);
  for (int i = 0; i <= n; ++i) {
    cut.x[i] = MachineX(c.end, surfaces.outer[i], surfaces.inner[i]);
    cut.z[i] = TiltDegrees(c.end, surfaces.outer[i], surfaces.inner[i], job.wallThickness);
  }

  list.setLineWidth(2);
  list.beginLines(kSurfaceCurveColour);
  DrawSurfaceCurve(c, surfaces.outer, radius, list);
  list.beginLines(kSurfaceCurveColour);
  DrawSurfaceCurve(c, surfaces.inner, radius - job.wallThickness, list);
  list.setLineWidth(5);
  list.beginLines(kMachinePathColour);
  DrawSurfaceCurve(c, cut.x, radius, list);

  for (int i = 0; i <= n; ++i)
    cut.y[i] = radius * (n / 2.0 - i) * 2 * kPi / n;
  list.setLineWidth(1);
  list.beginLines(kFlatPatternColour);
  DrawFlatPattern(c, cut, list);
}

}  // namespace

void ComputeCutSurfaces(CutShape shape, int side, const EndCutContext& context,
                        CutSurfaces& surfaces) {
  const double radius = context.job.mainRadius;
  ComputeSurface(shape, side, context, radius, surfaces.outer);
  ComputeSurface(shape, side, context, radius - context.job.wallThickness, surfaces.inner);
}

void ComputeTubeJointCut(int side, const EndCutContext& context, CutPoints& cut, DrawList& list) {
  ComputeEndCut(CutShape::TubeJoint, side, context, cut, list);
}

void ComputePlaneCut(const EndCutContext& context, CutPoints& cut, DrawList& list) {
  ComputeEndCut(CutShape::Plane, 0, context, cut, list);
}

}  // namespace korvex
