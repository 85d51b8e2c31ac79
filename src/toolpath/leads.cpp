#include "toolpath/leads.h"

#include <algorithm>
#include <cmath>

#include "base/pi.h"

namespace korvex {

std::vector<TorchPoint> LeadOut(const TorchPoint& end, PlaneVector direction,
                                const LeadForm& form) {
  const PlaneVector d = direction;
  const PlaneVector n{-form.scrapSide * d.y, form.scrapSide * d.x};  // toward the scrap
  if (form.shape == LeadShape::Line) {
    const double run = form.length / std::sqrt(2.0);
    return {{end.x + run * (n.x + d.x), end.y + run * (n.y + d.y), end.tilt}};
  }
  const double radius = 2 * form.length / kPi;
  const double maxStep = 2 * std::acos(std::max(0.0, 1 - form.arcTolerance / radius));
  const int steps = std::max(2, static_cast<int>(std::ceil(kPi / 2 / maxStep)));
  std::vector<TorchPoint> points;
  for (int k = 1; k <= steps; ++k) {
    const double psi = kPi / 2 * k / steps;
    const double back = 1 - std::cos(psi), ahead = std::sin(psi);
    points.push_back({end.x + radius * (back * n.x + ahead * d.x),
                      end.y + radius * (back * n.y + ahead * d.y), end.tilt});
  }
  return points;
}

std::vector<TorchPoint> LeadIn(const TorchPoint& start, PlaneVector direction,
                               const LeadForm& form) {
  LeadForm backwards = form;
  backwards.scrapSide = -form.scrapSide;  // the scrap's side turns with the direction of travel
  std::vector<TorchPoint> points = LeadOut(start, {-direction.x, -direction.y}, backwards);
  std::reverse(points.begin(), points.end());
  return points;
}

}  // namespace korvex
