#include "domain/hole_cut.h"

#include <algorithm>
#include <cmath>

#include "domain/step_angles.h"

namespace korvex {
namespace {

// Round the tube, the branch's axis points out along u = (0, sin θc, cos θc), θc = kPi − turn,
// so that the unrolled y = R·(kPi − θ) of the end cuts puts the hole's middle at y = R·turn. v
// is square to u round the tube; the axis passes through (at, 0, 0) + offset·v with direction
// cos α·u + sin α·X. A point of the branch surface at φ round the branch has the v component
// offset + ρ·sin φ and lies on a tube surface of radius Rs at the angle γ from u with
// Rs·sin γ = offset + ρ·sin φ; then x = at + ρ·cos φ / cos α + Rs·cos γ·tan α.
struct BranchGeometry {
  double at, offset, rho, cosA, sinA, tanA, turn, outerRadius;

  BranchGeometry(const HoleParameters& hole, double outer)
      : at(hole.at),
        offset(hole.offset),
        rho(HoleRadius(hole)),
        cosA(std::cos(hole.angle)),
        sinA(std::sin(hole.angle)),
        tanA(std::tan(hole.angle)),
        turn(hole.turn),
        outerRadius(outer) {}

  // The angle γ of a point whose v component is q on the surface of radius rs.
  static double Gamma(double q, double rs) { return std::asin(std::clamp(q / rs, -1.0, 1.0)); }

  double Y(double gamma) const { return outerRadius * (turn - gamma); }

  // Where the branch's surface at φ meets the surface of radius rs.
  void Point(double sinPhi, double cosPhi, double rs, double& x, double& y) const {
    const double gamma = Gamma(offset + rho * sinPhi, rs);
    x = at + rho * cosPhi / cosA + rs * std::cos(gamma) * tanA;
    y = Y(gamma);
  }

  // The angle round the tube for sin φ, spread over the angles the hole spans anywhere in the
  // wall: on one surface or the other at either end, the inner one's while the hole straddles
  // the line through its middle.
  double SpanGamma(double sinPhi, double outer, double inner) const {
    const double low = std::min(Gamma(offset - rho, outer), Gamma(offset - rho, inner));
    const double high = std::max(Gamma(offset + rho, outer), Gamma(offset + rho, inner));
    return (low + high) / 2 + (high - low) / 2 * sinPhi;
  }

  // How far the point at x on the surface of radius rs, at the angle γ, lies from the axis.
  double FromAxis(double x, double gamma, double rs) const {
    return std::hypot(rs * std::sin(gamma) - offset, (x - at) * cosA - rs * std::cos(gamma) * sinA);
  }
};

// The branch along one line round the tube: at the angle γ the tube's surface line on radius r
// meets the branch where x = NearestX(r) ± HalfWidth(r), for the radii of the wall where
// |r·sin γ − offset| ≤ ρ. HalfWidth is the root of a quadratic in r that opens downward, so it
// and HalfWidth(r) + slope·r are concave: their greatest value over the wall can lie inside it.
class WallSection {
 public:
  WallSection(const BranchGeometry& branch, double gamma, double outer, double inner)
      : branch_(branch),
        sin_(std::sin(gamma)),
        cos_(std::cos(gamma)),
        outer_(outer),
        inner_(inner),
        low_(inner),
        high_(outer) {
    if (sin_ == 0) return;
    double a = (branch.offset - branch.rho) / sin_, b = (branch.offset + branch.rho) / sin_;
    if (a > b) std::swap(a, b);
    low_ = std::max(low_, a);
    high_ = std::min(high_, b);
    // At the ends of the hole's span the radii shrink to one, which rounding may lose.
    if (low_ > high_) low_ = high_ = std::clamp((a + b) / 2, inner, outer);
  }

  // 0 where the line passes beside the branch.
  double halfWidth(double r) const {
    const double across = r * sin_ - branch_.offset;
    return std::sqrt(std::max(0.0, branch_.rho * branch_.rho - across * across)) / branch_.cosA;
  }

  double nearestX(double r) const { return branch_.at + r * cos_ * branch_.tanA; }

  // The x farthest along the tube, towards +X for side +1 and −X for −1, where the branch meets
  // any surface line of the wall at this angle.
  double edgeX(int side) const {
    const double r = peak(side * cos_ * branch_.tanA);
    return nearestX(r) + side * halfWidth(r);
  }

  // A straight torch line through the wall on the given side, as its x on the outer and inner
  // surface: the chord of the half width between the surfaces moved out by its sagitta, the
  // tangent to the half width parallel to the chord. No steel of the branch's section lies
  // beyond it, and it stands off the section by the sagitta at both surfaces, the least any
  // straight line can; it never crosses the other side's line, as the half width is never
  // below 0.
  std::array<double, 2> tiltedEdgeX(int side) const {
    const double outerHalf = halfWidth(outer_), innerHalf = halfWidth(inner_);
    const double slope = (outerHalf - innerHalf) / (outer_ - inner_);
    const double r = peak(-slope);
    const double sagitta = std::max(0.0, halfWidth(r) - innerHalf - slope * (r - inner_));
    return {nearestX(outer_) + side * (outerHalf + sagitta),
            nearestX(inner_) + side * (innerHalf + sagitta)};
  }

 private:
  // The radius of the section's part of the wall where HalfWidth(r) + slope·r is greatest: where
  // its derivative −sin γ·w / (cos α·√(ρ² − w²)) + slope, w = r·sin γ − offset, vanishes, or
  // the nearer end.
  double peak(double slope) const {
    if (sin_ == 0) return slope > 0 ? high_ : low_;
    const double k = slope * branch_.cosA;
    const double across = branch_.rho * k / std::hypot(sin_, k) * (sin_ > 0 ? 1 : -1);
    return std::clamp((branch_.offset + across) / sin_, low_, high_);
  }

  const BranchGeometry& branch_;
  double sin_, cos_, outer_, inner_, low_, high_;
};

}  // namespace

double HoleRadius(const HoleParameters& hole) {
  return hole.fit == HoleFit::SetIn ? hole.branchRadius : hole.branchRadius - hole.branchWall;
}

// Square to the tube the torch follows the outer surface's curve. The other modes cut the
// branch's section everywhere in the wall: sin φ spreads over the angles round the tube that the
// hole spans on either surface, cos φ picks the side along the tube. COMPENSATION MODE keeps the
// torch square and cuts, at each angle, as far along the tube as the branch reaches anywhere in
// the wall. The machine's tilt axis only leans the torch along the tube, in the plane of the
// tube's axis and the radius at the torch; 3D MODE leans it along the straight line through the
// wall that leaves no steel of the section and stands off it least, leaning
// atan((outer − inner) / THICKNESS) as at the ends.
HolePathPoint HolePathAt(const HoleParameters& hole, const JobParameters& job, double phi) {
  const double outer = job.mainRadius;
  const double inner = job.mainRadius - job.wallThickness;
  const BranchGeometry branch(hole, outer);
  const double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
  if (hole.mode3d != 1 && hole.compensation != 1) {
    HolePathPoint point{0, 0, 0};
    branch.Point(sinPhi, cosPhi, outer, point.x, point.y);
    return point;
  }
  const int side = cosPhi < 0 ? -1 : 1;
  const double gamma = branch.SpanGamma(sinPhi, outer, inner);
  const WallSection section(branch, gamma, outer, inner);
  if (hole.mode3d != 1) return {section.edgeX(side), branch.Y(gamma), 0};
  const auto [outerX, innerX] = section.tiltedEdgeX(side);
  return {outerX, branch.Y(gamma), std::atan((outerX - innerX) / job.wallThickness) * 180 / kPi};
}

HoleCut ComputeHoleCut(const HoleParameters& hole, const JobParameters& job) {
  const double outer = job.mainRadius;
  const double inner = job.mainRadius - job.wallThickness;
  const BranchGeometry branch(hole, outer);
  const int n = job.cutSegments;
  HoleCut cut;
  for (int j = 0; j <= n; ++j) {
    const double phi = StepAngle(j, n);
    const double sinPhi = std::sin(phi), cosPhi = std::cos(phi);
    branch.Point(sinPhi, cosPhi, outer, cut.outer.x[j], cut.outer.y[j]);
    branch.Point(sinPhi, cosPhi, inner, cut.inner.x[j], cut.inner.y[j]);
    const HolePathPoint point = HolePathAt(hole, job, phi);
    cut.path.x[j] = point.x;
    cut.path.y[j] = point.y;
    cut.path.z[j] = point.tilt;
  }
  return cut;
}

TiltedHoleReach MeasureTiltedHole(const HoleParameters& hole, const JobParameters& job) {
  HoleParameters tilted = hole;
  tilted.mode3d = 1;
  const BranchGeometry branch(hole, job.mainRadius);
  TiltedHoleReach reach{0, -hole.branchRadius};
  for (int j = 0; j <= job.cutSegments; ++j) {
    const HolePathPoint point = HolePathAt(tilted, job, StepAngle(j, job.cutSegments));
    const double gamma = hole.turn - point.y / job.mainRadius;
    reach.steepestTilt = std::max(reach.steepestTilt, std::fabs(point.tilt));
    reach.beyondBranch = std::max(
        reach.beyondBranch, branch.FromAxis(point.x, gamma, job.mainRadius) - hole.branchRadius);
  }
  return reach;
}

}  // namespace korvex
