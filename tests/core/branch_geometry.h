#pragma once

// A branch tube in 3D, apart from the code under test: its axis as a point and a unit
// direction, the cylinder's curve on a surface of the tube, and the torch lines of a program
// through the wall. The tube's axis is X; a point of its surface of radius r at the angle θ
// round it is (x, r·sin θ, r·cos θ), and a program's y is R·(kPi − θ) on the outer radius R.

#include <array>
#include <cmath>
#include <vector>

#include "base/pi.h"
#include "flat_polygon.h"

namespace korvex::test {

using Vec = std::array<double, 3>;

inline Vec Add(Vec a, Vec b, double scale = 1) {
  return {a[0] + scale * b[0], a[1] + scale * b[1], a[2] + scale * b[2]};
}

inline double Dot(Vec a, Vec b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}

// A value as a program writes it, to three decimals.
inline double AsWritten(double value) {
  return std::nearbyint(value * 1000) / 1000;
}

struct Branch {
  Vec point, direction;  // direction a unit vector pointing out of the tube
  Vec across1, across2;  // unit vectors square to the axis and to each other

  // Out from the tube at the angle θc = kPi − turn round it, leaning by angle towards +X, the
  // axis passing offset beside the tube's axis (towards −Y at turn 0), nearest it at X = at.
  static Branch Make(double at, double turn, double angle, double offset) {
    const double thetaC = kPi - turn;
    const Vec out{0, std::sin(thetaC), std::cos(thetaC)};
    const Vec round{0, std::cos(thetaC), -std::sin(thetaC)};
    const Vec along{1, 0, 0};
    Branch b;
    b.point = Add({at, 0, 0}, round, offset);
    b.direction = Add(Add({0, 0, 0}, along, std::sin(angle)), out, std::cos(angle));
    b.across1 = Add(Add({0, 0, 0}, along, std::cos(angle)), out, -std::sin(angle));
    b.across2 = round;
    return b;
  }

  double distance(Vec p) const {
    const Vec d = Add(p, point, -1);
    const double along = Dot(d, direction);
    return std::sqrt(std::max(0.0, Dot(d, d) - along * along));
  }

  // The cylinder of radius rho met by the tube's surface of radius r, on the branch's side of
  // the tube, as points in the unrolled surface of radius r: (x, r·θ) with θ taken within half
  // a turn of thetaNear.
  FlatPolygon outline(double rho, double r, double thetaNear, int points = 360) const {
    FlatPolygon curve;
    for (int k = 0; k <= points; ++k) {
      const double phi = 2 * kPi * k / points;
      const Vec base = Add(Add(point, across1, rho * std::cos(phi)), across2, rho * std::sin(phi));
      // |(base + t·direction) in Y-Z| = r, the root farther out along the branch.
      const double p2 = base[1] * base[1] + base[2] * base[2];
      const double pq = base[1] * direction[1] + base[2] * direction[2];
      const double q2 = direction[1] * direction[1] + direction[2] * direction[2];
      const double t = (-pq + std::sqrt(std::max(0.0, pq * pq - q2 * (p2 - r * r)))) / q2;
      const Vec c = Add(base, direction, t);
      const double theta = thetaNear + std::remainder(std::atan2(c[1], c[2]) - thetaNear, 2 * kPi);
      curve.corners.push_back({c[0], r * theta});
    }
    curve.corners.back() = curve.corners.front();  // closed exactly, for the crossing count
    return curve;
  }
};

// One program point: x along the tube, y round it on the outer radius, the tilt in degrees.
struct ProgramPoint {
  double x, y, tilt;
};

// Where the torch line of a program point crosses the surface of radius r: it leans by the
// tilt along the tube, in the plane of the tube's axis and its radius at the point.
inline Vec TorchAt(const ProgramPoint& p, double outerRadius, double r) {
  const double theta = kPi - p.y / outerRadius;
  const double x = p.x - (outerRadius - r) * std::tan(p.tilt * kPi / 180);
  return {x, r * std::sin(theta), r * std::cos(theta)};
}

// The program's cut on the surface of radius r, unrolled as the outline is.
inline FlatPolygon CutAt(const std::vector<ProgramPoint>& program, double outerRadius, double r) {
  FlatPolygon cut;
  for (const ProgramPoint& p : program) {
    const Vec at = TorchAt(p, outerRadius, r);
    cut.corners.push_back({at[0], r * (kPi - p.y / outerRadius)});
  }
  return cut;
}

// How far the points of one curve lie outside another: the worst distance to it of those of
// its points that are not inside it.
inline double WorstOutside(const FlatPolygon& points, const FlatPolygon& region) {
  double worst = 0;
  for (const FlatPoint& p : points.corners) {
    if (!region.inside(p)) worst = std::max(worst, region.distance(p));
  }
  return worst;
}

}  // namespace korvex::test
