#include "nesting/facing_ends.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <vector>

#include "nesting/greatest_gap.h"

namespace korvex::nesting_internal {
namespace {

// Below this a harmonic carries no direction worth lining up (mm).
constexpr double kFlatHarmonic = 1e-6;

double GridAngle(int j) {
  return j * 2 * std::numbers::pi / kGridAngles;
}

int Wrapped(int degrees) {
  degrees %= kGridAngles;
  return degrees < 0 ? degrees + kGridAngles : degrees;
}

// A curve of the part turned end for end: x negated, the angle too.
GridCurve Flipped(const GridCurve& curve) {
  GridCurve flipped;
  for (int j = 0; j < kGridAngles; ++j) {
    flipped[static_cast<std::size_t>(j)] = -curve[static_cast<std::size_t>(Wrapped(-j))];
  }
  return flipped;
}

std::array<std::complex<double>, 2> Harmonics(const GridCurve& curve) {
  std::array<std::complex<double>, 2> harmonics{};
  for (int j = 0; j < kGridAngles; ++j) {
    for (int m = 1; m <= 2; ++m) {
      harmonics[static_cast<std::size_t>(m - 1)] +=
          curve[static_cast<std::size_t>(j)] * std::polar(1.0, -m * GridAngle(j));
    }
  }
  for (auto& h : harmonics)
    h /= kGridAngles;
  return harmonics;
}

double Mean(const GridCurve& curve) {
  double sum = 0;
  for (double x : curve)
    sum += x;
  return sum / kGridAngles;
}

// The relative turns that line up harmonic m of both ends: the right one's left end, turned by
// k, has the phase of the left one's right end.
void AddAligningTurns(std::complex<double> leftsRight, std::complex<double> rightsLeft, int m,
                      std::vector<int>& turns) {
  if (std::abs(leftsRight) < kFlatHarmonic || std::abs(rightsLeft) < kFlatHarmonic) return;
  const double k = (std::arg(rightsLeft) - std::arg(leftsRight)) / m * 180 / std::numbers::pi;
  for (int copy = 0; copy < m; ++copy) {
    turns.push_back(Wrapped(static_cast<int>(std::lround(k + copy * 360.0 / m))));
  }
}

}  // namespace

Orientation OrientationOf(const PartExtents& part, bool flipped) {
  Orientation o;
  o.minLeft = o.minReachLeft = INFINITY;
  o.maxRight = o.maxReachRight = -INFINITY;
  for (std::size_t s = 0; s < o.surfaces.size(); ++s) {
    const SurfaceExtents& given = part.surfaces[s];
    SurfaceGrid& grid = o.surfaces[s];
    // Turned end for end, the right end comes first along the stick.
    if (flipped) {
      grid.left = {Flipped(given.right.steel), Flipped(given.right.reach)};
      grid.right = {Flipped(given.left.steel), Flipped(given.left.reach)};
    } else {
      grid.left = {given.left.steel, given.left.reach};
      grid.right = {given.right.steel, given.right.reach};
    }
    o.minLeft = std::min(o.minLeft, *std::min_element(grid.left.steel.begin(), grid.left.steel.end()));
    o.minReachLeft =
        std::min(o.minReachLeft, *std::min_element(grid.left.reach.begin(), grid.left.reach.end()));
    o.maxRight =
        std::max(o.maxRight, *std::max_element(grid.right.steel.begin(), grid.right.steel.end()));
    o.maxReachRight = std::max(
        o.maxReachRight, *std::max_element(grid.right.reach.begin(), grid.right.reach.end()));
  }
  const SurfaceGrid& outer = o.surfaces[kOuterSurface];
  o.meanLeft = Mean(outer.left.steel);
  o.meanRight = Mean(outer.right.steel);
  o.meanReachLeft = Mean(outer.left.reach);
  o.meanReachRight = Mean(outer.right.reach);
  o.leftHarmonics = Harmonics(outer.left.steel);
  o.rightHarmonics = Harmonics(outer.right.steel);
  return o;
}

namespace {

// The spacing at a relative turn, or any value not below cutoff as soon as it is clear that the
// spacing reaches it: most turns tried lose, and the loss shows early. On each surface the left
// part's torch keeps clear of the right part's steel and the right part's torch of the left
// part's steel.
double SpacingBelow(const Orientation& left, const Orientation& right, int turn, double cutoff) {
  // The right part turned by turn: its left end at angle j is its own at i = j − turn, which
  // runs on without a break on either side of j = turn.
  const auto k = static_cast<std::size_t>(Wrapped(turn));
  const auto n = static_cast<std::size_t>(kGridAngles);
  constexpr std::size_t kChunk = 24;  // divides 360
  double reach = -INFINITY;
  // The outer surface first: most turns lose there, before the inner one is looked at.
  for (std::size_t s = 0; s < left.surfaces.size(); ++s) {
    const EndGrid& a = left.surfaces[s].right;
    const EndGrid& b = right.surfaces[s].left;
    const auto gaps = [&](std::size_t from, std::size_t to) {
      const std::size_t i = from >= k ? from - k : from + n - k;
      return GreatestGap(a.reach.data() + from, a.steel.data() + from, b.steel.data() + i,
                         b.reach.data() + i, to - from);
    };
    for (std::size_t start = 0; start < n && reach < cutoff; start += kChunk) {
      const std::size_t stop = start + kChunk;
      const double most = start < k && k < stop ? std::max(gaps(start, k), gaps(k, stop))
                                                : gaps(start, stop);
      reach = std::max(reach, most);
    }
  }
  return reach;
}

}  // namespace

double StartOffset(const Orientation& o, const StockRules& stock) {
  return stock.trim ? *stock.trim - o.minReachLeft : -o.minLeft;
}

Junction BestJunction(const Orientation& left, const Orientation& right) {
  std::vector<int> turns{0};
  for (int m = 1; m <= 2; ++m) {
    AddAligningTurns(left.rightHarmonics[static_cast<std::size_t>(m - 1)],
                     right.leftHarmonics[static_cast<std::size_t>(m - 1)], m, turns);
  }
  // Each turn is measured once; a measure cut short stands for "no better than the best".
  std::array<double, kGridAngles> measured;
  measured.fill(NAN);
  Junction best{INFINITY, 0};
  const auto spacing = [&](int turn) {
    double& m = measured[static_cast<std::size_t>(Wrapped(turn))];
    if (std::isnan(m)) m = SpacingBelow(left, right, turn, best.spacing);
    if (m < best.spacing) best = {m, Wrapped(turn)};
    return m;
  };
  for (int start : turns) {
    int here = start;
    double value = spacing(here);
    for (int step = 0; step < kGridAngles / 2; ++step) {
      const double down = spacing(here - 1);
      const double up = spacing(here + 1);
      if (std::min(down, up) >= value) break;
      here = down < up ? here - 1 : here + 1;
      value = std::min(down, up);
    }
  }
  return best;
}

}  // namespace korvex::nesting_internal
