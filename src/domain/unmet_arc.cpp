#include "domain/unmet_arc.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "domain/end_cut.h"

namespace korvex {
namespace {

constexpr double kTurn = 2 * kPi;
constexpr double kRounding = 1e-9;  // radians

// The arcs where the surface line at radius r meets the tube: |r·sin(θ + turn) + offset| is at
// most its radius, so sin(θ + turn) lies in [lo, hi], which holds on up to two arcs of θ.
void AddMetArcs(const JoiningTube& tube, double r, std::vector<Arc>& arcs) {
  const double lo = (-tube.joinRadius - tube.offset) / r;
  const double hi = (tube.joinRadius - tube.offset) / r;
  if (lo <= -1 && hi >= 1) {
    arcs.push_back({0, kTurn});
    return;
  }
  if (hi < -1 || lo > 1) return;
  const double a = std::asin(std::max(lo, -1.0)), b = std::asin(std::min(hi, 1.0));
  for (const Arc turned : {Arc{a, b}, Arc{kPi - b, kPi - a}}) {
    // Back to unturned angles, starting in [0, 2π); one that runs past 2π goes on from 0.
    const double from = turned.from - tube.angleDiff;
    const double start = from - kTurn * std::floor(from / kTurn);
    const double end = start + (turned.to - turned.from);
    arcs.push_back({start, std::min(end, kTurn)});
    if (end > kTurn) arcs.push_back({0, end - kTurn});
  }
}

}  // namespace

std::optional<Arc> UnmetArc(const EndCutParameters& end, double r) {
  if (!(r > 0)) return std::nullopt;
  std::vector<Arc> arcs;
  for (const JoiningTube& tube : JoiningTubesOf(end))
    AddMetArcs(tube, r, arcs);
  std::sort(arcs.begin(), arcs.end(), [](const Arc& a, const Arc& b) { return a.from < b.from; });
  double reached = 0;
  for (const Arc& arc : arcs) {
    if (arc.from > reached + kRounding) return Arc{reached, arc.from};
    reached = std::max(reached, arc.to);
  }
  if (reached < kTurn - kRounding) return Arc{reached, kTurn};
  return std::nullopt;
}

}  // namespace korvex
