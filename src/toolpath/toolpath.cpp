#include "toolpath/toolpath.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "base/format_number.h"
#include "toolpath/curve_sampling.h"
#include "toolpath/hole_curve.h"
#include "toolpath/kerf_offset.h"
#include "toolpath/leads.h"
#include "toolpath/plane_geometry.h"

namespace korvex {
namespace {

// The chord tolerance of arcs (rounded corners, arc leads) when the options give none.
constexpr double kArcTolerance = 0.01;  // mm
// Tangents either side of a point this near opposite (cosine) turn the path back on itself.
constexpr double kTurnsBack = 0.9999;

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

// The leads of one cut. On a hole, where the scrap is what the curve encloses, each lead keeps
// all of its kerf inside the curve: shortened to the longest that does, which is noted.
class Leads {
 public:
  Leads(const std::vector<CurveSample>& curve, const ToolpathOptions& options, int scrapSide,
        double arcTolerance, bool enclosed)
      : form_{0, options.leadShape, scrapSide, arcTolerance},
        halfKerf_(options.kerf / 2),
        enclosed_(enclosed) {
    for (const CurveSample& sample : curve)
      edge_.push_back({sample.x, sample.y});
  }

  // The lead-in's points up to, not including, anchor, arriving in direction.
  std::vector<TorchPoint> in(const TorchPoint& anchor, PlaneVector direction, double wanted) {
    return lead(true, anchor, direction, wanted);
  }

  // The lead-out's points after anchor, leaving in direction.
  std::vector<TorchPoint> out(const TorchPoint& anchor, PlaneVector direction, double wanted) {
    return lead(false, anchor, direction, wanted);
  }

  // What was shortened, for the cut named `end`; empty when nothing was.
  std::vector<std::string> notes(const std::string& end) const {
    if (shortened_.empty()) return {};
    return {end + shortened_ + ", so that the leads and the kerf of " +
            FormatNumber(2 * halfKerf_, "#.000") + " mm stay inside the hole"};
  }

 private:
  std::vector<TorchPoint> draw(bool in, const TorchPoint& anchor, PlaneVector direction,
                               double length) const {
    LeadForm form = form_;
    form.length = length;
    return in ? LeadIn(anchor, direction, form) : LeadOut(anchor, direction, form);
  }

  std::vector<TorchPoint> lead(bool in, const TorchPoint& anchor, PlaneVector direction,
                               double wanted) {
    double length = wanted;
    if (enclosed_ && wanted > 0) {
      length = LongestLeadInside(edge_, halfKerf_, anchor, wanted, [&](double trial) {
        std::vector<TorchPoint> points = draw(in, anchor, direction, trial);
        points.insert(in ? points.end() : points.begin(), anchor);
        return points;
      });
    }
    if (length < wanted) {
      shortened_ += std::string(shortened_.empty() ? "shortened " : " and ") +
                    (in ? "the lead-in" : "the lead-out") + " from " +
                    FormatNumber(wanted, "#.000") + " to " + FormatNumber(length, "#.000") + " mm";
    }
    if (!(length > 0)) return {};
    return draw(in, anchor, direction, length);
  }

  LeadForm form_;
  double halfKerf_;
  bool enclosed_;
  std::vector<PlaneVector> edge_;
  std::string shortened_;
};

// The overcut: the loop's start followed once more, one turn on, for `overcut` mm. exit becomes
// the direction it ends in; false when the overcut is longer than the loop.
bool AppendOvercut(const std::vector<TorchPoint>& loop, double overcut,
                   std::vector<TorchPoint>& points, PlaneVector& exit) {
  const double shiftX = loop.back().x - loop[0].x, shiftY = loop.back().y - loop[0].y;
  double remaining = overcut;
  for (std::size_t j = 1; j < loop.size(); ++j) {
    const TorchPoint& a = loop[j - 1];
    const TorchPoint& b = loop[j];
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    exit = Heading(a, b);
    const double t = std::min(1.0, remaining / length);
    points.push_back({a.x + t * (b.x - a.x) + shiftX, a.y + t * (b.y - a.y) + shiftY,
                      a.tilt + t * (b.tilt - a.tilt)});
    remaining -= length;
    if (remaining <= 0) return true;
  }
  return false;
}

// The torch's path round the loop curve, run in the direction of travel: the kerf offset toward
// the scrap side, the lead-in, the loop, the overcut one turn on and the lead-out. end names
// the cut in a refusal or a note; enclosed: the scrap is what the curve encloses, a hole.
ToolpathPlan FollowLoop(const std::vector<CurveSample>& curve, const ToolpathOptions& options,
                        int scrapSide, const std::string& end, bool enclosed) {
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
  Leads leads(curve, options, scrapSide, arcTolerance, enclosed);
  path.points = leads.in(loop[0], Heading(loop[0], loop[1]), options.leadIn);
  path.loopStart = path.points.size();
  path.points.insert(path.points.end(), loop.begin(), loop.end());
  path.loopEnd = path.points.size() - 1;

  PlaneVector exit = Heading(loop[loop.size() - 2], loop.back());
  if (options.overcut > 0 && !AppendOvercut(loop, options.overcut, path.points, exit)) {
    return end + "the overcut " + FormatNumber(options.overcut, "#.000") +
           " mm is longer than the cut";
  }
  path.overcutEnd = path.points.size() - 1;
  const std::vector<TorchPoint> out = leads.out(path.points.back(), exit, options.leadOut);
  path.points.insert(path.points.end(), out.begin(), out.end());
  path.notes = leads.notes(end);
  return path;
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

  return FollowLoop(curve, options, scrapSide, end, false);
}

ToolpathPlan PlanHoleToolpath(const ComputedJob& job, std::size_t hole,
                              const ToolpathOptions& options) {
  const int scrapSide = options.goodSide == GoodSide::Right ? 1 : -1;  // +1: left of travel
  std::vector<CurveSample> loop = SampleHoleCurve(job, hole);
  // The scrap, inside the hole, lies left of travel when the loop runs counter-clockwise: a
  // positive area in the X-Y plane.
  double area = 0;
  for (std::size_t j = 1; j < loop.size(); ++j)
    area += loop[j - 1].x * loop[j].y - loop[j].x * loop[j - 1].y;
  if ((area > 0) != (scrapSide > 0)) Reverse(loop);
  const std::string name = "hole " + std::to_string(hole + 1) + ": ";
  // Where 3D MODE reaches the hole inside the wall beyond its outline on the outer surface, the
  // torch runs out along a slit of no width there and back, leaning either way: no kerf offset
  // keeps off both its sides.
  for (const CurveSample& sample : loop) {
    if (options.kerf > 0 && Dot(sample.before, sample.after) < -kTurnsBack) {
      return name + "the kerf " + FormatNumber(options.kerf, "#.000") +
             " mm does not fit the slit 3D MODE cuts through the outer surface " + Where(sample) +
             " to reach the hole inside the wall; cut the hole in COMPENSATION MODE, or with no "
             "kerf";
    }
  }
  return FollowLoop(loop, options, scrapSide, name, true);
}

}  // namespace korvex
