#include "domain/hole_cut.h"

#include <algorithm>
#include <cmath>
#include <optional>

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
  double at, offset, rho, cosA, tanA, turn, outerRadius;

  BranchGeometry(const HoleParameters& hole, double outer)
      : at(hole.at),
        offset(hole.offset),
        rho(HoleRadius(hole)),
        cosA(std::cos(hole.angle)),
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

  // Where the tube's surface line at γ on the surface of radius rs meets the branch's surface,
  // on the side of the branch's axis that cosPhi gives; nothing when it passes beside the branch.
  std::optional<double> XOnLine(double gamma, double rs, double cosPhi) const {
    const double across = rs * std::sin(gamma) - offset;
    const double squared = rho * rho - across * across;
    if (squared < 0) return std::nullopt;
    const double half = std::sqrt(squared);
    return NearestX(gamma, rs) + (cosPhi < 0 ? -half : half) / cosA;
  }

  // Where that line comes nearest the branch's axis.
  double NearestX(double gamma, double rs) const { return at + rs * std::cos(gamma) * tanA; }
};

}  // namespace

double HoleRadius(const HoleParameters& hole) {
  return hole.fit == HoleFit::SetIn ? hole.branchRadius : hole.branchRadius - hole.branchWall;
}

// The machine's tilt axis only leans the torch along the tube, in the plane of the tube's axis
// and the radius at the torch. In 3D MODE the torch therefore runs from the hole's point on the
// outer surface to the branch's surface on the inner surface at the same angle round the tube:
// of the lines that plane allows, the chord that meets the branch's surface on both surfaces,
// leaning atan((outer − inner) / THICKNESS) as at the ends. Inside the wall the chord lies
// within the branch's surface by its sagitta, most where the hole's sides meet the tube
// steeply. Without 3D MODE the torch stands square to the tube, and COMPENSATION MODE takes at
// each step the inner surface's wider angle round the tube and, along the tube, whichever
// surface's edge lies farther out, so that the hole is at least its size on both surfaces.
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
    double& x = cut.path.x[j];
    double& y = cut.path.y[j];
    x = cut.outer.x[j];
    y = cut.outer.y[j];
    cut.path.z[j] = 0;
    if (hole.mode3d == 1) {
      const double gamma = BranchGeometry::Gamma(hole.offset + branch.rho * sinPhi, outer);
      const double innerX =
          branch.XOnLine(gamma, inner, cosPhi).value_or(branch.NearestX(gamma, inner));
      cut.path.z[j] = std::atan((x - innerX) / job.wallThickness) * 180 / kPi;
    } else if (hole.compensation == 1) {
      y = cut.inner.y[j];
      const double gamma = BranchGeometry::Gamma(hole.offset + branch.rho * sinPhi, inner);
      const double innerX = cut.inner.x[j];
      const double outerX = branch.XOnLine(gamma, outer, cosPhi).value_or(innerX);
      x = cosPhi < 0 ? std::min(outerX, innerX) : std::max(outerX, innerX);
    }
  }
  return cut;
}

}  // namespace korvex
