#include "toolpath/kerf_offset.h"

#include <algorithm>
#include <cmath>

#include "base/decimal_text.h"
#include "base/format_number.h"
#include "base/pi.h"
#include "toolpath/plane_geometry.h"

namespace korvex {
namespace {

using Vector = PlaneVector;

// Tangents this far apart mark a corner of the curve rather than a bend.
constexpr double kCornerTurn = 1e-4;  // radians

// A length without trailing zeros: 1.5, 3.527.
std::string ShortNumber(double value) {
  return DecimalText(value, 3);
}

// Whether two segments of the path that are not neighbours cross. The segments are swept in the
// order of their lowest y, as the loop runs round the tube.
bool CrossesItself(const std::vector<TorchPoint>& points) {
  struct Span {
    double low, high;
    std::size_t k;
  };
  std::vector<Span> spans;
  for (std::size_t k = 0; k + 1 < points.size(); ++k) {
    spans.push_back(
        {std::min(points[k].y, points[k + 1].y), std::max(points[k].y, points[k + 1].y), k});
  }
  std::sort(spans.begin(), spans.end(), [](const Span& a, const Span& b) { return a.low < b.low; });
  for (std::size_t a = 0; a < spans.size(); ++a) {
    for (std::size_t b = a + 1; b < spans.size() && spans[b].low <= spans[a].high; ++b) {
      const std::size_t i = std::min(spans[a].k, spans[b].k), j = std::max(spans[a].k, spans[b].k);
      if (j - i < 2) continue;
      auto at = [&points](std::size_t k) { return PlaneVector{points[k].x, points[k].y}; };
      if (SegmentsCross(at(i), at(i + 1), at(j), at(j + 1))) return true;
    }
  }
  return false;
}

}  // namespace

std::variant<std::vector<TorchPoint>, std::string> OffsetLoop(const std::vector<CurveSample>& loop,
                                                              double halfKerf, int scrapSide,
                                                              double arcTolerance) {
  const std::string tooWide = "the kerf " + ShortNumber(2 * halfKerf) + " mm is too wide ";
  auto toScrap = [scrapSide](Vector along) {
    return Vector{-scrapSide * along.y, scrapSide * along.x};
  };

  // Each sample's offset points: one along the curve's normal, or an arc round a corner that
  // turns away from the scrap.
  std::vector<std::vector<TorchPoint>> corners(loop.size());
  for (std::size_t j = 0; j < loop.size(); ++j) {
    const CurveSample& p = loop[j];
    const Vector a = toScrap(p.before), b = toScrap(p.after);
    const double turn = std::atan2(std::abs(Cross(a, b)), Dot(a, b));
    if (turn < kCornerTurn) {
      if (halfKerf * scrapSide * p.curvature >= 1) {
        return tooWide + "for the curve " + Where(p) + ", where its radius on the scrap side is " +
               ShortNumber(1 / std::abs(p.curvature)) + " mm";
      }
      const double nx = a.x + b.x, ny = a.y + b.y, length = std::hypot(nx, ny);
      corners[j] = {{p.x + halfKerf * nx / length, p.y + halfKerf * ny / length, p.tilt}};
      continue;
    }
    if (scrapSide * Cross(p.before, p.after) > 0) {
      return tooWide + Where(p) + ", where the curve has a corner toward the scrap";
    }
    const double maxStep = 2 * std::acos(std::max(0.0, 1 - arcTolerance / halfKerf));
    const int steps = std::max(1, static_cast<int>(std::ceil(turn / maxStep)));
    const double sense = Cross(a, b) < 0 ? -1 : 1;
    for (int k = 0; k <= steps; ++k) {
      const double psi = sense * turn * k / steps;
      const double c = std::cos(psi), s = std::sin(psi);
      corners[j].push_back(
          {p.x + halfKerf * (c * a.x - s * a.y), p.y + halfKerf * (s * a.x + c * a.y), p.tilt});
    }
  }

  // An offset chord that runs against its chord is where the offset loops: the curve's radius
  // on the scrap side is below half the kerf between the samples.
  std::vector<TorchPoint> points;
  for (std::size_t j = 0; j + 1 < loop.size(); ++j) {
    const TorchPoint& from = corners[j].back();
    const TorchPoint& to = corners[j + 1].front();
    const Vector chord{loop[j + 1].x - loop[j].x, loop[j + 1].y - loop[j].y};
    if (Dot({to.x - from.x, to.y - from.y}, chord) <= 0) {
      return tooWide + "for the curve " + Where(loop[j]) + ", where the offset path turns back";
    }
    points.insert(points.end(), corners[j].begin(), corners[j].end());
  }
  points.push_back(corners.back().front());
  if (CrossesItself(points)) return tooWide + "for the curve: the offset path would cross itself";
  return points;
}

}  // namespace korvex
