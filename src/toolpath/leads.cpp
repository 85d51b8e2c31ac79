#include "toolpath/leads.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/pi.h"
#include "toolpath/plane_geometry.h"

namespace korvex {
namespace {

constexpr int kLeadHalvings = 40;
// How much nearer the curve than the cut itself a lead may come (mm): it leaves the cut along
// the chord to the next point, a little off the curve's tangent.
constexpr double kLeadSlack = 0.005;

PlaneVector At(const TorchPoint& point) {
  return {point.x, point.y};
}

// The distance of segment a–b from the closed curve.
double FromCurve(const std::vector<PlaneVector>& curve, PlaneVector a, PlaneVector b) {
  double nearest = std::numeric_limits<double>::infinity();
  for (std::size_t k = 1; k < curve.size(); ++k)
    nearest = std::min(nearest, SegmentDistance(a, b, curve[k - 1], curve[k]));
  return nearest;
}

}  // namespace

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

double LongestLeadInside(const std::vector<PlaneVector>& edge, double halfKerf,
                         const TorchPoint& anchor, double length,
                         const std::function<std::vector<TorchPoint>(double)>& draw) {
  // The cut's own point may lie a rounding nearer the curve than half the kerf.
  const double clearance = std::min(halfKerf, FromCurve(edge, At(anchor), At(anchor))) - kLeadSlack;
  auto fits = [&](double trial) {
    const std::vector<TorchPoint> lead = draw(trial);
    for (std::size_t k = 1; k < lead.size(); ++k) {
      if (FromCurve(edge, At(lead[k - 1]), At(lead[k])) < clearance) return false;
    }
    return true;
  };
  if (fits(length)) return length;
  double good = 0, bad = length;
  for (int k = 0; k < kLeadHalvings; ++k) {
    const double middle = (good + bad) / 2;
    (fits(middle) ? good : bad) = middle;
  }
  return good;
}

}  // namespace korvex
