#include <algorithm>
#include <cmath>
#include <vector>

#include "base/decimal_text.h"
#include "base/pi.h"
#include "toolpath/part_extents.h"
#include "toolpath/surface_points.h"

namespace korvex {
namespace {

// Paths closer than this touch.
constexpr double kTouching = 1e-9;  // mm

double SegmentPointDistance(Flat a, Flat b, Flat p) {
  const double du = b.u - a.u, dx = b.x - a.x;
  const double length2 = du * du + dx * dx;
  const double t =
      length2 > 0 ? std::clamp(((p.u - a.u) * du + (p.x - a.x) * dx) / length2, 0.0, 1.0) : 0.0;
  return std::hypot(p.u - a.u - t * du, p.x - a.x - t * dx);
}

bool SegmentsCross(Flat a, Flat b, Flat c, Flat d) {
  auto side = [](Flat p, Flat q, Flat r) {
    return (q.u - p.u) * (r.x - p.x) - (q.x - p.x) * (r.u - p.u);
  };
  return side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0;
}

double SegmentDistance(Flat a, Flat b, Flat c, Flat d) {
  if (SegmentsCross(a, b, c, d)) return 0;
  return std::min({SegmentPointDistance(a, b, c), SegmentPointDistance(a, b, d),
                   SegmentPointDistance(c, d, a), SegmentPointDistance(c, d, b)});
}

struct Box {
  double uLow = INFINITY, uHigh = -INFINITY, xLow = INFINITY, xHigh = -INFINITY;
  void add(Flat p) {
    uLow = std::min(uLow, p.u);
    uHigh = std::max(uHigh, p.u);
    xLow = std::min(xLow, p.x);
    xHigh = std::max(xHigh, p.x);
  }
  bool near(const Box& other, double margin, double shift) const {
    return uLow - margin <= other.uHigh + shift && other.uLow + shift <= uHigh + margin &&
           xLow - margin <= other.xHigh && other.xLow <= xHigh + margin;
  }
};

// A torch's path on one surface of the wall, with its box.
struct Path {
  std::vector<Flat> points;
  Box box;
};

Path PathOf(std::vector<Flat> points) {
  Path path{std::move(points), {}};
  for (const Flat& p : path.points)
    path.box.add(p);
  return path;
}

// The least distance between the two paths, the second moved round the tube by whole turns.
double Distance(const Path& a, const Path& b, double period, double margin) {
  double least = INFINITY;
  const double turns = std::ceil((std::max(a.box.uHigh - b.box.uLow, b.box.uHigh - a.box.uLow) +
                                  margin) / period);
  for (double m = -turns; m <= turns; ++m) {
    const double shift = m * period;
    if (!a.box.near(b.box, margin, shift)) continue;
    for (std::size_t j = 0; j + 1 < b.points.size(); ++j) {
      const Flat c{b.points[j].u + shift, b.points[j].x};
      const Flat d{b.points[j + 1].u + shift, b.points[j + 1].x};
      Box segment;
      segment.add(c);
      segment.add(d);
      if (!a.box.near(segment, margin, 0)) continue;
      for (std::size_t i = 0; i + 1 < a.points.size(); ++i)
        least = std::min(least, SegmentDistance(a.points[i], a.points[i + 1], c, d));
    }
  }
  return least;
}

// True when p lies inside the closed path, moved round the tube by whole turns.
bool Inside(Flat p, const Path& loop, double period) {
  const double shift = period * std::round(((loop.box.uLow + loop.box.uHigh) / 2 - p.u) / period);
  const Flat q{p.u + shift, p.x};
  bool inside = false;
  for (std::size_t i = 0; i + 1 < loop.points.size(); ++i) {
    const Flat a = loop.points[i], b = loop.points[i + 1];
    if ((a.u > q.u) != (b.u > q.u) && q.x < a.x + (q.u - a.u) / (b.u - a.u) * (b.x - a.x)) {
      inside = !inside;
    }
  }
  return inside;
}

std::string Hole(std::size_t hole) {
  return "hole " + std::to_string(hole + 1);
}

std::string TooClose(const std::string& hole, const std::string& other, double distance,
                     double kerf, int surface) {
  const std::string where = surface == kInnerSurface ? " on the inner surface" : "";
  if (distance < kTouching) return hole + " crosses " + other + where;
  return hole + ": its cut comes within " + DecimalText(distance, 3) + " mm of " + other + where +
         ", closer than the kerf " + DecimalText(kerf, 3) + " mm";
}

// How far the hole lies beyond an end of the part on the outer surface, if it does.
std::optional<std::string> Beyond(const std::string& hole, const Path& outer, double radius,
                                  const PartExtents& extents) {
  double left = INFINITY, right = INFINITY;
  for (const Flat& p : outer.points) {
    const double degrees = p.u / radius * 180 / kPi;
    left = std::min(left, CurveAt(extents.surfaces[kOuterSurface].left.steel, degrees) - p.x);
    right = std::min(right, p.x - CurveAt(extents.surfaces[kOuterSurface].right.steel, degrees));
  }
  if (left > 0) return hole + " lies " + DecimalText(left, 3) + " mm beyond the left end";
  if (right > 0) return hole + " lies " + DecimalText(right, 3) + " mm beyond the right end";
  return std::nullopt;
}

}  // namespace

std::optional<HoleClearance> HoleClearanceProblem(const ComputedJob& job, const JobCuts& cuts,
                                                  const PartExtents& extents, double kerf) {
  const auto surfaces = WallSurfaces(job.parameters);
  const std::size_t holes = cuts.size() - 2;
  static const char* const kEnds[] = {"the left end's cut", "the right end's cut"};
  for (int s = 0; s < 2; ++s) {
    const WallSurface surface = surfaces[static_cast<std::size_t>(s)];
    const double period = 2 * kPi * surface.radius;
    std::vector<Path> paths, loops;
    for (const Toolpath& cut : cuts) {
      paths.push_back(PathOf(OnSurface(cut.points, 0, cut.points.size() - 1,
                                       job.parameters.mainRadius, surface)));
      loops.push_back(PathOf(OnSurface(cut.points, cut.loopStart, cut.loopEnd,
                                       job.parameters.mainRadius, surface)));
    }
    for (std::size_t h = 0; h < holes; ++h) {
      const Path& hole = paths[2 + h];
      for (std::size_t end = 0; end < 2; ++end) {
        const double distance = Distance(hole, paths[end], period, kerf);
        if (distance < std::max(kerf, kTouching))
          return HoleClearance{h, TooClose(Hole(h), kEnds[end], distance, kerf, s)};
      }
      for (std::size_t g = 0; g < h; ++g) {
        const double distance = Distance(hole, paths[2 + g], period, kerf);
        if (distance < std::max(kerf, kTouching))
          return HoleClearance{h, TooClose(Hole(h), Hole(g) + "'s cut", distance, kerf, s)};
        if (Inside(loops[2 + h].points.front(), loops[2 + g], period) ||
            Inside(loops[2 + g].points.front(), loops[2 + h], period)) {
          return HoleClearance{h, Hole(h) + " and " + Hole(g) + " lie one inside the other"};
        }
      }
      if (s == kOuterSurface) {
        if (auto beyond = Beyond(Hole(h), hole, surface.radius, extents)) {
          return HoleClearance{h, std::move(*beyond)};
        }
      }
    }
  }
  return std::nullopt;
}

}  // namespace korvex
