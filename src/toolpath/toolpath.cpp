#include "toolpath/toolpath.h"

#include <algorithm>
#include <cmath>

#include "base/format_number.h"
#include "toolpath/curve_sampling.h"
#include "toolpath/kerf_offset.h"
#include "toolpath/leads.h"

namespace korvex {
namespace {

// The chord tolerance of arcs (rounded corners, arc leads) when the options give none.
constexpr double kArcTolerance = 0.01;  // mm

PlaneVector Heading(const TorchPoint& from, const TorchPoint& to) {
  const double dx = to.x - from.x, dy = to.y - from.y;
  const double length = std::hypot(dx, dy);
  return {dx / length, dy / length};
}

// The curve run the other way: its samples reversed, their tangents and curvature turned.
void Reverse(std::vector<CurveSample>& curve) {
  std::reverse(curve.begin(), curve.end());
  for (CurveSample& sample : curve) {
    const PlaneVector before = sample.before;
    sample.before = {-sample.after.x, -sample.after.y};
    sample.after = {-before.x, -before.y};
    sample.curvature = -sample.curvature;
  }
}

// The torch's path round the loop curve, run in the direction of travel: the kerf offset toward
// the scrap side, the lead-in, the loop, the overcut one turn on and the lead-out. end names
// the cut in a refusal.
ToolpathPlan FollowLoop(const std::vector<CurveSample>& curve, const ToolpathOptions& options,
                        int scrapSide, const std::string& end) {
  const double arcTolerance = options.tolerance > 0 ? options.tolerance : kArcTolerance;
  std::vector<TorchPoint> loop;
  if (options.kerf > 0) {
    auto offset = OffsetLoop(curve, options.kerf / 2, scrapSide, arcTolerance);
    if (auto* problem = std::get_if<std::string>(&offset)) return end + *problem;
    loop = std::move(std::get<std::vector<TorchPoint>>(offset));
  } else {
    for (const CurveSample& sample : curve)
      loop.push_back({sample.x, sample.y, sample.tilt});
  }

  Toolpath path;
  LeadForm form{options.leadIn, options.leadShape, scrapSide, arcTolerance};
  if (options.leadIn > 0) path.points = LeadIn(loop[0], Heading(loop[0], loop[1]), form);
  path.loopStart = path.points.size();
  path.points.insert(path.points.end(), loop.begin(), loop.end());
  path.loopEnd = path.points.size() - 1;

  // The overcut follows the loop's start once more, one turn on.
  PlaneVector exit = Heading(loop[loop.size() - 2], loop.back());
  if (options.overcut > 0) {
    const double shiftX = loop.back().x - loop[0].x, shiftY = loop.back().y - loop[0].y;
    double remaining = options.overcut;
    for (std::size_t j = 1;; ++j) {
      if (j == loop.size()) {
        return end + "the overcut " + FormatNumber(options.overcut, "#.000") +
               " mm is longer than the cut";
      }
      const TorchPoint& a = loop[j - 1];
      const TorchPoint& b = loop[j];
      const double length = std::hypot(b.x - a.x, b.y - a.y);
      exit = Heading(a, b);
      const double t = std::min(1.0, remaining / length);
      path.points.push_back({a.x + t * (b.x - a.x) + shiftX, a.y + t * (b.y - a.y) + shiftY,
                             a.tilt + t * (b.tilt - a.tilt)});
      remaining -= length;
      if (remaining <= 0) break;
    }
  }
  path.overcutEnd = path.points.size() - 1;
  if (options.leadOut > 0) {
    form.length = options.leadOut;
    const std::vector<TorchPoint> out = LeadOut(path.points.back(), exit, form);
    path.points.insert(path.points.end(), out.begin(), out.end());
  }
  return path;
}

// The hole's computed steps as a closed loop. The curve is smooth: each step's tangent is the
// chord between its neighbours, its curvature that of the circle through the three; theta is
// the step's angle round the tube, for refusals.
std::vector<CurveSample> HoleLoop(const ComputedJob& job, std::size_t hole) {
  const CutPoints& path = job.holes[hole].path;
  const int n = job.parameters.cutSegments;
  const double radius = job.parameters.mainRadius;
  auto at = [&](int j) {
    const auto k = static_cast<std::size_t>((j % n + n) % n);
    return PlaneVector{path.x[k], path.y[k]};
  };
  std::vector<CurveSample> loop;
  for (int j = 0; j <= n; ++j) {
    const PlaneVector a = at(j - 1), b = at(j), c = at(j + 1);
    const double cross = (b.x - a.x) * (c.y - b.y) - (b.y - a.y) * (c.x - b.x);
    const double chord = std::hypot(c.x - a.x, c.y - a.y);
    const double curvature =
        2 * cross / (std::hypot(b.x - a.x, b.y - a.y) * std::hypot(c.x - b.x, c.y - b.y) * chord);
    const PlaneVector tangent{(c.x - a.x) / chord, (c.y - a.y) / chord};
    const auto k = static_cast<std::size_t>(j);
    loop.push_back(
        {kPi - path.y[k] / radius, path.x[k], path.y[k], path.z[k], tangent, tangent, curvature});
  }
  return loop;
}

}  // namespace

ToolpathPlan PlanEndToolpath(const ComputedJob& job, int side, const ToolpathOptions& options) {
  const std::string end = side < 0 ? "the left end: " : "the right end: ";
  const bool goodRight = options.goodSide == GoodSide::Right;
  // The part lies at +x of the left end. Running the way θ grows, y falls and the right of the
  // direction of travel is -x: the right end's part side.
  const bool thetaGrows = (side > 0) == goodRight;
  const int scrapSide = goodRight ? 1 : -1;  // +1: left of the direction of travel
  std::vector<CurveSample> curve =
      SampleEndCurve(job, side, Radians(options.startAngle), options.tolerance);
  if (!thetaGrows) Reverse(curve);

  return FollowLoop(curve, options, scrapSide, end);
}

ToolpathPlan PlanHoleToolpath(const ComputedJob& job, std::size_t hole,
                              const ToolpathOptions& options) {
  const int scrapSide = options.goodSide == GoodSide::Right ? 1 : -1;  // +1: left of travel
  std::vector<CurveSample> loop = HoleLoop(job, hole);
  // The scrap, inside the hole, lies left of travel when the loop runs counter-clockwise: a
  // positive area in the X-Y plane.
  double area = 0;
  for (std::size_t j = 1; j < loop.size(); ++j)
    area += loop[j - 1].x * loop[j].y - loop[j].x * loop[j - 1].y;
  if ((area > 0) != (scrapSide > 0)) Reverse(loop);
  return FollowLoop(loop, options, scrapSide, "hole " + std::to_string(hole + 1) + ": ");
}

}  // namespace korvex
