#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <unordered_map>
#include <vector>

#include "nesting/facing_ends.h"
#include "nesting/nest_parts.h"

namespace korvex::nesting_internal {

// Lengths along a stick in whole thousandths of a mm: a plan states offsets to three decimals,
// so parts laid out in these units lie exactly where they were planned, and sums are exact.
using Microns = std::int64_t;

// The whole thousandths at or above mm; rounding up only widens gaps.
Microns MicronsAbove(double mm);

// Two neighbours on a stick as the plan lays them out.
struct Link {
  Microns spacing = 0;  // from the left part's offset to the right one's
  int turn = 0;         // degrees, of the right part relative to the left one
  bool shared = false;  // the facing ends run one kerf apart all round: one cut parts them
};

// What the search knows of the parts: each as drawn (orientation kind·2) and turned end for
// end (kind·2 + 1), and the links between orientations, each searched once when first asked.
// Counts the work done, so that a search can stop after the same work on any machine.
class JunctionTable {
 public:
  JunctionTable(std::span<const NestPart> parts, const StockRules& stock);

  std::size_t kinds() const { return orientations_.size() / 2; }
  const StockRules& stock() const { return stock_; }

  const Link& link(std::size_t left, std::size_t right);
  // No turn spaces two orientations closer than this; known without searching.
  Microns leastSpacing(std::size_t left, std::size_t right) const;
  // The offset of an orientation that starts a stick.
  Microns firstOffset(std::size_t orientation) const { return first_[orientation]; }
  // How far right of its offset an orientation's steel reaches, and its torch.
  double reach(std::size_t orientation) const { return orientations_[orientation].maxRight; }
  double reachBeyond(std::size_t orientation) const {
    return orientations_[orientation].maxReachRight;
  }
  double own(std::size_t kind) const { return own_[kind]; }
  double extent(std::size_t kind) const { return extent_[kind]; }

  // The work done so far, in units of about one cached link.
  std::uint64_t work() const { return work_; }
  void spend(std::uint64_t units) { work_ += units; }

 private:
  StockRules stock_;
  std::vector<Orientation> orientations_;
  std::vector<Microns> first_;
  std::vector<double> own_, extent_;
  std::unordered_map<std::uint64_t, Link> links_;
  std::uint64_t work_ = 0;
};

}  // namespace korvex::nesting_internal
