#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <span>
#include <vector>

#include "nesting/part_ends.h"

namespace korvex {

struct NestPart {
  PartExtents ends;  // the part as cut
  int quantity = 1;
};

// The stock of one tube.
struct StockRules {
  double length = 0;  // of each stick, mm
  double kerf = 0;    // the width the torch takes away, which the parts' extents allow for
  // A square trim cut this far from each stick's start: no torch point of the first part comes
  // nearer the start. Without one the first part's steel may begin at the stick's start.
  std::optional<double> trim;
};

// Where on a stick the first part's steel begins at the earliest: one kerf past the trim.
double FirstPartStart(const StockRules& stock);

// The stock a part takes alone on a stick, as drawn: from the stick's start to the end of its
// steel.
double StockTaken(const PartExtents& part, const StockRules& stock);

// One part on a stick: its point (x, angle) lies on the stick at x' = offset ± x and angle'
// = turn ± angle, the minus signs when it is turned end for end.
struct Placement {
  std::size_t part = 0;  // index into the parts nested
  double offset = 0;
  bool flipped = false;
  int turn = 0;  // degrees, 0..359
};

struct NestedStick {
  std::vector<Placement> parts;  // in order along the stick
  double end = 0;                // the end of the last part's steel
  double remnant = 0;            // stock left beyond the last part's torch and its kerf
};

struct NestPlan {
  std::vector<NestedStick> sticks;  // the longest remnant last
  int lowerBound = 0;
  // No plan of these parts uses fewer sticks: this one meets a lower bound, or every way of
  // sharing them out among sticks was tried. Otherwise it is the best one found.
  bool provenOptimal = false;
};

// The fewest sticks any plan can use: every part takes at least its own length at every angle
// round the tube and one kerf before the next part, and the last kerf of a stick may fall past
// its end, so the sticks hold at most (length − start + kerf) each of own lengths plus kerfs.
int LowerBound(std::span<const NestPart> parts, const StockRules& stock);

// Called now and then while nesting: how far it has come, done of total (the parts' count). It
// may throw to stop the nesting.
using NestProgress = std::function<void(std::size_t done, std::size_t total)>;

// Places every part its quantity of times: on the fewest sticks, then with the longest single
// remnant, then with the most cuts shared between neighbours whose facing ends coincide. Short
// lists are planned exactly; longer ones are placed first fit and improved by moving and
// exchanging parts between sticks, for as much work as the list's length allows, so the same
// list always gives the same plan. Each part must fit a stick (StockTaken <= length) and have
// material at every angle (NarrowestWidth > 0).
NestPlan NestParts(std::span<const NestPart> parts, const StockRules& stock,
                   const NestProgress& progress = {});

}  // namespace korvex
