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

}  // namespace

ToolpathPlan PlanEndToolpath(const ComputedJob& job, int side, const ToolpathOptions& options) {
  const std::string end = side < 0 ? "the left end: " : "the right end: ";
  const bool goodRight = options.goodSide == GoodSide::Right;
  // The part lies at +x of the left end. Running the way θ grows, y falls and the right of the
  // direction of travel is -x: the right end's part side.
  const bool thetaGrows = (side > 0) == goodRight;
  const int scrapSide = goodRight ? 1 : -1;  // +1: left of the direction of travel
  const double arcTolerance = options.tolerance > 0 ? options.tolerance : kArcTolerance;

  std::vector<CurveSample> curve =
      SampleEndCurve(job, side, Radians(options.startAngle), options.tolerance);
  if (!thetaGrows) {
    std::reverse(curve.begin(), curve.end());
    for (CurveSample& sample : curve) {
      const PlaneVector before = sample.before;
      sample.before = {-sample.after.x, -sample.after.y};
      sample.after = {-before.x, -before.y};
      sample.curvature = -sample.curvature;
    }
  }

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

}  // namespace korvex
