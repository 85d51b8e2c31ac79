#pragma once

// A branch tube in 3D, apart from the code under test. The tube's axis is X; its surface of
// radius r at the angle θ is (x, r·sin θ, r·cos θ), and a program's y is R·(kPi − θ).

#include <array>
#include <cmath>
#include <vector>

#include "base/pi.h"
#include "flat_polygon.h"

namespace korvex::test {

using Vec = std::array<double, 3>;

inline Vec Along(Vec a, Vec b, double t) {
  return {a[0] + t * b[0], a[1] + t * b[1], a[2] + t * b[2]};
}

// A value as a program writes it, to three decimals.
inline double AsWritten(double value) {
  return std::nearbyint(value * 1000) / 1000;
}

struct Branch {
  Vec point, direction, across1, across2;  // unit vectors; direction out of the tube

  // Out at θ = kPi − turn, leaning by angle towards +X, offset beside the tube's axis.
  static Branch Make(double at, double turn, double angle, double offset) {
    const double c = kPi - turn;
    const Vec round{0, std::cos(c), -std::sin(c)};
    const double ca = std::cos(angle), sa = std::sin(angle);
    return {Along({at, 0, 0}, round, offset),
            {sa, ca * std::sin(c), ca * std::cos(c)},
            {ca, -sa * std::sin(c), -sa * std::cos(c)},
            round};
  }

  double distance(Vec p) const {
    const Vec d = Along(p, point, -1);
    const double along = d[0] * direction[0] + d[1] * direction[1] + d[2] * direction[2];
    return std::sqrt(std::max(0.0, d[0] * d[0] + d[1] * d[1] + d[2] * d[2] - along * along));
  }

  // The cylinder of radius rho on the tube's surface of radius r, unrolled there as (x, r·θ)
  // with θ within half a turn of thetaNear, closed exactly.
  FlatPolygon outline(double rho, double r, double thetaNear, int points = 360) const {
    FlatPolygon curve;
    for (int k = 0; k < points; ++k) {
      const double phi = 2 * kPi * k / points;
      const Vec b = Along(Along(point, across1, rho * std::cos(phi)), across2, rho * std::sin(phi));
      // |(b + t·direction) in Y-Z| = r, farther out.
      const double p2 = b[1] * b[1] + b[2] * b[2], pq = b[1] * direction[1] + b[2] * direction[2];
      const double q2 = direction[1] * direction[1] + direction[2] * direction[2];
      const Vec c = Along(b, direction, (-pq + std::sqrt(pq * pq - q2 * (p2 - r * r))) / q2);
      curve.corners.push_back(
          {c[0], r * (thetaNear + std::remainder(std::atan2(c[1], c[2]) - thetaNear, 2 * kPi))});
    }
    curve.corners.push_back(curve.corners.front());
    return curve;
  }
};

// A program point (x, y, tilt in degrees) and its torch line at radius r: leaning along the
// tube in the plane of the tube's axis and its radius there.
struct ProgramPoint {
  double x, y, tilt;
};

inline Vec TorchAt(const ProgramPoint& p, double outer, double r) {
  const double theta = kPi - p.y / outer;
  return {p.x - (outer - r) * std::tan(p.tilt * kPi / 180), r * std::sin(theta),
          r * std::cos(theta)};
}

// The program's cut on the surface of radius r, unrolled as the outline is.
inline FlatPolygon CutAt(const std::vector<ProgramPoint>& program, double outer, double r) {
  FlatPolygon cut;
  for (const ProgramPoint& p : program)
    cut.corners.push_back({TorchAt(p, outer, r)[0], r * (kPi - p.y / outer)});
  return cut;
}

// The farthest any point of one curve lies outside another.
inline double WorstOutside(const FlatPolygon& points, const FlatPolygon& region) {
  double worst = 0;
  for (const FlatPoint& p : points.corners) {
    if (!region.inside(p)) worst = std::max(worst, region.distance(p));
  }
  return worst;
}

}  // namespace korvex::test
