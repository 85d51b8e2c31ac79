#include "toolpath/part_extents.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "base/pi.h"
#include "toolpath/surface_points.h"

namespace korvex {
namespace {

// The kerf's disc is bounded by a regular polygon of this many corners round it.
constexpr int kDiscCorners = 16;

// The least x of a convex polygon on the line at u; the polygon must reach u.
double Bottom(const std::vector<Flat>& polygon, double u) {
  double bottom = INFINITY;
  for (std::size_t k = 0; k < polygon.size(); ++k) {
    const Flat& a = polygon[k];
    const Flat& b = polygon[(k + 1) % polygon.size()];
    if ((u < a.u && u < b.u) || (u > a.u && u > b.u)) continue;
    const double span = b.u - a.u;
    bottom = std::min(bottom, span == 0 ? std::min(a.x, b.x) : a.x + (u - a.u) / span * (b.x - a.x));
  }
  return bottom;
}

// The least-x bound of a set of pieces (convex polygons, or segments of a polyline) on the
// degree grid of one surface: exact at each degree, then lowered by the most any piece dips
// below the straight line between two degrees. A piece is straight between its corners, so it
// dips most at a corner.
class LowerBound {
 public:
  explicit LowerBound(double radius) : step_(2 * kPi * radius / kExtentAngles) {
    node_.fill(INFINITY);
    dip_.fill(0);
  }

  // A convex piece (two points: a segment): the degrees it spans take its least x there.
  void addNodes(const std::vector<Flat>& piece) {
    const auto [low, high] = std::minmax_element(
        piece.begin(), piece.end(), [](const Flat& a, const Flat& b) { return a.u < b.u; });
    // A degree that rounding puts a hair beyond the piece still takes it.
    const double near = 1e-9 * step_;
    for (long j = static_cast<long>(std::ceil((low->u - near) / step_));
         static_cast<double>(j) * step_ <= high->u + near; ++j) {
      double& node = node_[Wrapped(j)];
      const double u = std::clamp(static_cast<double>(j) * step_, low->u, high->u);
      node = std::min(node, Bottom(piece, u));
    }
  }

  // A corner whose least x on its line is x.
  void addCorner(double u, double x) {
    const long j = static_cast<long>(std::floor(u / step_));
    const double t = u / step_ - static_cast<double>(j);
    const double a = node_[Wrapped(j)], b = node_[Wrapped(j + 1)];
    double& dip = dip_[Wrapped(j)];
    dip = std::max(dip, a + t * (b - a) - x);
  }

  double node(int j) const { return node_[static_cast<std::size_t>(j)]; }

  // The bound: each degree lowered by the dips of the spans on either side.
  AngleCurve curve() const {
    AngleCurve curve;
    for (std::size_t j = 0; j < kExtentAngles; ++j) {
      const double before = dip_[(j + kExtentAngles - 1) % kExtentAngles];
      curve[j] = node_[j] - std::max(before, dip_[j]);
    }
    return curve;
  }

  double step() const { return step_; }

 private:
  static std::size_t Wrapped(long j) {
    const long n = kExtentAngles;
    return static_cast<std::size_t>(((j % n) + n) % n);
  }

  double step_;
  AngleCurve node_;
  AngleCurve dip_;
};

// A regular polygon of kDiscCorners corners round the disc of the radius, its sides touching it,
// in order round it.
std::vector<Flat> DiscCorners(double radius) {
  std::vector<Flat> corners;
  const double reach = radius / std::cos(kPi / kDiscCorners);
  for (int k = 0; k < kDiscCorners; ++k) {
    const double angle = 2 * kPi * (k + 0.5) / kDiscCorners;
    corners.push_back({reach * std::sin(angle), reach * std::cos(angle)});
  }
  return corners;
}

// The segment from a to b swept by the polygon (convex, in order round its centre at the
// origin): each side of the polygon moved to the end of the segment that lies farther out
// along the side's normal, the corners between sides moved to both ends where those differ.
std::vector<Flat> Swept(Flat a, Flat b, const std::vector<Flat>& polygon) {
  const std::size_t n = polygon.size();
  const Flat along{b.u - a.u, b.x - a.x};
  // Side k runs from corner k to k + 1; its normal points away from the centre.
  auto atB = [&](std::size_t k) {
    const Flat& p = polygon[k];
    const Flat& q = polygon[(k + 1) % n];
    const double nu = q.x - p.x, nx = p.u - q.u;  // square to the side
    const double outward = nu * (p.u + q.u) + nx * (p.x + q.x) >= 0 ? 1 : -1;
    return outward * (nu * along.u + nx * along.x) > 0;
  };
  std::vector<Flat> swept;
  for (std::size_t k = 0; k < n; ++k) {
    const bool before = atB((k + n - 1) % n), after = atB(k);
    const Flat& p = polygon[k];
    for (const bool toB : {before, after}) {
      const Flat& end = toB ? b : a;
      const Flat corner{end.u + p.u, end.x + p.x};
      if (swept.empty() || swept.back().u != corner.u || swept.back().x != corner.x)
        swept.push_back(corner);
    }
  }
  return swept;
}

// How far the torch's kerf reaches toward least x: every segment of the path swept by a
// polygon round the kerf's disc.
AngleCurve ReachOf(const std::vector<Flat>& path, double halfKerf, double radius) {
  LowerBound bound(radius);
  const std::vector<Flat> disc = DiscCorners(halfKerf);
  std::vector<std::vector<Flat>> pieces;
  for (std::size_t k = 0; k + 1 < path.size(); ++k) {
    pieces.push_back(halfKerf > 0 ? Swept(path[k], path[k + 1], disc)
                                  : std::vector<Flat>{path[k], path[k + 1]});
    bound.addNodes(pieces.back());
  }
  for (const auto& piece : pieces) {
    for (const Flat& corner : piece)
      bound.addCorner(corner.u, corner.x);
  }
  return bound.curve();
}

// Where the steel begins beyond the loop's kerf: the loop's corners moved half the kerf toward
// greater x along their normals lie within the kerf, and so does the polyline through them;
// wherever it crosses a line round the tube, the steel begins no nearer. Its least crossing is
// the bound.
AngleCurve SteelOf(const std::vector<Flat>& loop, double halfKerf, double radius,
                   double& meanAtDegrees) {
  std::vector<Flat> inside(loop.size());
  auto normal = [&](std::size_t a, std::size_t b) {
    const double du = loop[b].u - loop[a].u, dx = loop[b].x - loop[a].x;
    const double length = std::hypot(du, dx);
    if (length == 0) return Flat{0, 0};
    const double sign = du >= 0 ? 1 : -1;  // the normal toward greater x
    return Flat{-sign * dx / length, sign * du / length};
  };
  for (std::size_t k = 0; k < loop.size(); ++k) {
    Flat n{0, 0};
    for (const Flat& side : {k > 0 ? normal(k - 1, k) : Flat{0, 0},
                             k + 1 < loop.size() ? normal(k, k + 1) : Flat{0, 0}}) {
      n.u += side.u;
      n.x += side.x;
    }
    const double length = std::hypot(n.u, n.x);
    inside[k] = length > 0 ? Flat{loop[k].u + halfKerf * n.u / length,
                                  loop[k].x + halfKerf * n.x / length}
                           : loop[k];
  }
  LowerBound bound(radius);
  const double period = kExtentAngles * bound.step();
  // The loop closes one turn on: each end of it is the other's point moved half the kerf its
  // own way, and the chord between them lies in that point's disc, so it joins them.
  const double turn = period * std::round((inside.back().u - inside.front().u) / period);
  if (turn != 0) {
    inside.insert(inside.begin(), {inside.back().u - turn, inside.back().x});
    inside.push_back({inside[1].u + turn, inside[1].x});
  }
  // The segments by the degree spans they cross, for the corners to find those that reach them.
  std::vector<std::vector<std::size_t>> spans(kExtentAngles);
  for (std::size_t k = 0; k + 1 < inside.size(); ++k) {
    bound.addNodes({inside[k], inside[k + 1]});
    const auto [low, high] = std::minmax(inside[k].u, inside[k + 1].u);
    const long first = static_cast<long>(std::floor(low / bound.step()));
    const long last = std::min(static_cast<long>(std::floor(high / bound.step())),
                               first + kExtentAngles - 1);
    for (long j = first; j <= last; ++j)
      spans[static_cast<std::size_t>(((j % kExtentAngles) + kExtentAngles) % kExtentAngles)]
          .push_back(k);
  }
  // At a corner the bound is the least of the pieces that reach it, either side.
  for (const Flat& corner : inside) {
    double least = corner.x;
    const long j = static_cast<long>(std::floor(corner.u / bound.step()));
    for (const long span : {j - 1, j}) {
      const auto index =
          static_cast<std::size_t>(((span % kExtentAngles) + kExtentAngles) % kExtentAngles);
      for (const std::size_t m : spans[index]) {
        const Flat& a = inside[m];
        const Flat& b = inside[m + 1];
        const double u = corner.u + period * std::round(((a.u + b.u) / 2 - corner.u) / period);
        if ((u < a.u && u < b.u) || (u > a.u && u > b.u)) continue;
        least = std::min(least, a.u == b.u ? std::min(a.x, b.x)
                                           : a.x + (u - a.u) / (b.u - a.u) * (b.x - a.x));
      }
    }
    bound.addCorner(corner.u, least);
  }
  meanAtDegrees = 0;
  for (int j = 0; j < kExtentAngles; ++j)
    meanAtDegrees += bound.node(j) / kExtentAngles;
  return bound.curve();
}

}  // namespace

PartExtents PartExtentsOf(const ComputedJob& job, const JobCuts& cuts, double kerf) {
  const JobParameters& p = job.parameters;
  const auto surfaces = WallSurfaces(p);
  PartExtents extents;
  double ownLength = 0;
  for (int s = 0; s < 2; ++s) {
    for (int end = 0; end < 2; ++end) {
      // The right end is measured as a left one, mirrored along the tube.
      const double sense = end == 0 ? 1 : -1;
      const Toolpath& path = cuts[static_cast<std::size_t>(end)];
      const auto all = OnSurface(path.points, 0, path.points.size() - 1, p.mainRadius,
                                 surfaces[s], sense);
      const auto loop =
          OnSurface(path.points, path.loopStart, path.loopEnd, p.mainRadius, surfaces[s], sense);
      double mean = 0;
      EndExtents& e = end == 0 ? extents.surfaces[s].left : extents.surfaces[s].right;
      e.reach = ReachOf(all, kerf / 2, surfaces[s].radius);
      e.steel = SteelOf(loop, kerf / 2, surfaces[s].radius, mean);
      if (end == 1) {
        for (AngleCurve* curve : {&e.reach, &e.steel}) {
          for (double& x : *curve)
            x = -x;
        }
      }
      // Mirrored, the right end's steel is measured negated.
      if (s == kOuterSurface) ownLength -= mean;
    }
  }
  extents.ownLength = ownLength;
  return extents;
}

}  // namespace korvex
