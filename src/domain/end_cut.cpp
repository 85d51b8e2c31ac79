#include "domain/end_cut.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "domain/step_angles.h"

namespace korvex {
namespace {

// Relative: a surface line this near a joining tube's side still meets it.
constexpr double kGrazing = 1e-12;

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
// polar angle φ on that tube, φ = asin(s) for the left end and asin(s) − kPi for the right,
// s = (r·sin θ + e) / ρ for a joining tube whose axis passes the offset e beside this one's.
// cos φ is taken from cos(asin s) = √(1 − s²) and, for the right end, the angle-difference
// rule with kPi's own sine and cosine, which saves two transcendental calls per point.
JointLine TubeJointLine(int side, const EndCutParameters& end, double sinA, double cosA, double r,
                        double sinTheta) {
  static const double sinPi = std::sin(kPi), cosPi = std::cos(kPi);
  const double rho = end.joinRadius;
  // Rounding must never push equal diameters outside the arcsine's domain.
  const double s = std::clamp((r * sinTheta + end.offset) / rho, -1.0, 1.0);
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

// What every point of one end shares: the end's angle and, for a plane, its trace.
struct EndFrame {
  CutShape shape;
  int side;
  const EndCutParameters& end;
  const JobParameters& job;
  JointLine plane;
  double sinA, cosA;

  EndFrame(CutShape s, int sd, const EndCutParameters& e, const JobParameters& j)
      : shape(s),
        side(sd),
        end(e),
        job(j),
        plane(PlaneLine(e)),
        sinA(std::sin(e.angle)),
        cosA(std::cos(e.angle)) {}

  // The surface's x at radius r and the angle whose sine and cosine are given.
  double surfaceX(double r, double sinTheta, double cosTheta) const {
    const JointLine line =
        shape == CutShape::Plane ? plane : TubeJointLine(side, end, sinA, cosA, r, sinTheta);
    return IntersectAtHeight(line, job.referenceXMin, job.referenceXMax, r * cosTheta);
  }
};

void ComputeSurface(const EndFrame& frame, const StepAngles& steps, double r,
                    std::array<double, kCutPointCapacity>& x) {
  for (int i = 0; i <= frame.job.cutSegments; ++i) {
    x[i] = frame.surfaceX(r, steps.sin[i], steps.cos[i]);
  }
}

// With compensation the torch follows the surface whose cut lies nearer the middle of the part,
// so the shorter wall is cut to size wherever the part lies along the tube; on a tie the outer.
double MachineX(const EndCutParameters& end, double outer, double inner, double middle) {
  if (end.mode3d != 1 && end.compensation == 1) {
    return std::fabs(inner - middle) < std::fabs(outer - middle) ? inner : outer;
  }
  return outer;
}

double TiltDegrees(const EndCutParameters& end, double outer, double inner, double thickness) {
  if (end.mode3d != 1) return 0;
  return std::atan((outer - inner) / thickness) * 180 / kPi;
}

// The end fitted against one of its tubes alone.
EndCutParameters EndAgainst(const EndCutParameters& end, const JoiningTube& tube) {
  EndCutParameters one = end;
  one.moreTubes.clear();
  one.joinRadius = tube.joinRadius;
  one.angle = tube.angle;
  one.distance = tube.distance;
  one.angleDiff = tube.angleDiff;
  one.offset = tube.offset;
  return one;
}

// An end fitted against several tubes: at each angle round it, the cut lies where the tube,
// coming from the middle of the part, first meets any of them; a tube its surface line misses
// there has no say.
class SeveralTubes {
 public:
  SeveralTubes(int side, const EndCutParameters& end, const JobParameters& job) : side_(side) {
    for (const JoiningTube& tube : JoiningTubesOf(end)) {
      tubes_.push_back(tube);
      ends_.push_back(EndAgainst(end, tube));
    }
    frames_.reserve(ends_.size());
    for (const EndCutParameters& one : ends_)
      frames_.emplace_back(CutShape::TubeJoint, side, one, job);
  }

  SeveralTubes(const SeveralTubes&) = delete;
  SeveralTubes& operator=(const SeveralTubes&) = delete;

  // The cut's x at radius r and the unturned angle θ; not a number where no tube is met.
  double surfaceX(double r, double theta) const {
    double x = std::numeric_limits<double>::quiet_NaN();
    for (std::size_t k = 0; k < frames_.size(); ++k) {
      const double turned = theta + tubes_[k].angleDiff;
      const double sinTurned = std::sin(turned);
      if (!MeetsJoiningTube(tubes_[k], r, sinTurned)) continue;
      const double met = frames_[k].surfaceX(r, sinTurned, std::cos(turned));
      if (std::isnan(x) || (side_ < 0 ? met > x : met < x)) x = met;
    }
    return x;
  }

 private:
  int side_;
  std::vector<JoiningTube> tubes_;
  std::vector<EndCutParameters> ends_;
  std::vector<EndFrame> frames_;
};

}  // namespace

std::vector<JoiningTube> JoiningTubesOf(const EndCutParameters& end) {
  std::vector<JoiningTube> tubes{
      {end.joinRadius, end.angle, end.distance, end.angleDiff, end.offset}};
  tubes.insert(tubes.end(), end.moreTubes.begin(), end.moreTubes.end());
  return tubes;
}

bool MeetsJoiningTube(const JoiningTube& tube, double r, double sinTurned) {
  // A line that only grazes the tube, within rounding, still meets it.
  return std::fabs(r * sinTurned + tube.offset) <= tube.joinRadius * (1 + kGrazing);
}

CutSurfaces ComputeCutSurfaces(CutShape shape, int side, const EndCutParameters& end,
                               const JobParameters& job, const StepAngles& cutSteps) {
  const EndFrame frame(shape, side, end, job);
  CutSurfaces surfaces;
  ComputeSurface(frame, cutSteps, job.mainRadius, surfaces.outer);
  ComputeSurface(frame, cutSteps, job.mainRadius - job.wallThickness, surfaces.inner);
  return surfaces;
}

EndCut ComputeEndCut(int side, const EndCutParameters& end, const JobParameters& job,
                     const StepAngles& steps) {
  const int n = job.cutSegments;
  EndCut cut;
  if (FitsSeveralTubes(end)) {
    const SeveralTubes tubes(side, end, job);
    for (int i = 0; i <= n; ++i) {
      const double theta = StepAngle(i, n);
      cut.surfaces.outer[i] = tubes.surfaceX(job.mainRadius, theta);
      cut.surfaces.inner[i] = tubes.surfaceX(job.mainRadius - job.wallThickness, theta);
    }
  } else {
    StepAngles turnedSteps;
    const bool turned = end.angleDiff != 0;
    if (turned) turnedSteps.compute(n, end.angleDiff);
    cut.surfaces = ComputeCutSurfaces(ShapeOf(end), side, end, job, turned ? turnedSteps : steps);
  }
  const CutSurfaces& s = cut.surfaces;
  const double middle = (job.left.distance + job.right.distance) / 2;
  for (int i = 0; i <= n; ++i) {
    cut.path.x[i] = MachineX(end, s.outer[i], s.inner[i], middle);
    cut.path.y[i] = job.mainRadius * (n / 2.0 - i) * 2 * kPi / n;
    cut.path.z[i] = TiltDegrees(end, s.outer[i], s.inner[i], job.wallThickness);
  }
  return cut;
}

MachinePathPoint MachinePathAt(int side, const EndCutParameters& end, const JobParameters& job,
                               double theta) {
  double outer = 0, inner = 0;
  if (FitsSeveralTubes(end)) {
    const SeveralTubes tubes(side, end, job);
    outer = tubes.surfaceX(job.mainRadius, theta);
    inner = tubes.surfaceX(job.mainRadius - job.wallThickness, theta);
  } else {
    const EndFrame frame(ShapeOf(end), side, end, job);
    // The same turned angle the step arrays hold, so a step angle gives the step's point.
    const double turned = theta + end.angleDiff;
    const double sinTheta = std::sin(turned), cosTheta = std::cos(turned);
    outer = frame.surfaceX(job.mainRadius, sinTheta, cosTheta);
    inner = frame.surfaceX(job.mainRadius - job.wallThickness, sinTheta, cosTheta);
  }
  const double middle = (job.left.distance + job.right.distance) / 2;
  return {MachineX(end, outer, inner, middle), TiltDegrees(end, outer, inner, job.wallThickness)};
}

}  // namespace korvex
