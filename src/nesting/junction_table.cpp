#include "nesting/junction_table.h"

#include <cmath>

namespace korvex::nesting_internal {
namespace {

// Facing ends whose gap exceeds one kerf by no more than this anywhere are cut by one pass (mm).
constexpr double kSharedCut = 0.01;
// Searching a link costs about as much as this many links looked up.
constexpr std::uint64_t kSearchWork = 800;

}  // namespace

Microns MicronsAbove(double mm) {
  return static_cast<Microns>(std::ceil(mm * 1000 - 1e-6));
}

JunctionTable::JunctionTable(std::span<const NestPart> parts, const StockRules& stock)
    : stock_(stock) {
  orientations_.reserve(parts.size() * 2);
  for (const NestPart& part : parts) {
    for (bool flipped : {false, true}) {
      const Orientation& o = orientations_.emplace_back(OrientationOf(part.ends, flipped));
      first_.push_back(MicronsAbove(StartOffset(o, stock)));
    }
    own_.push_back(OwnLength(part.ends));
    extent_.push_back(ExtentOf(part.ends));
  }
}

const Link& JunctionTable::link(std::size_t left, std::size_t right) {
  ++work_;
  const std::uint64_t key = static_cast<std::uint64_t>(left) * orientations_.size() + right;
  if (const auto found = links_.find(key); found != links_.end()) return found->second;
  work_ += kSearchWork;
  const Orientation& a = orientations_[left];
  const Orientation& b = orientations_[right];
  const Junction junction = BestJunction(a, b);
  const double loss = junction.spacing - (a.meanRight - b.meanLeft) - stock_.kerf;
  return links_.emplace(key, Link{MicronsAbove(junction.spacing), junction.turn, loss <= kSharedCut})
      .first->second;
}

Microns JunctionTable::leastSpacing(std::size_t left, std::size_t right) const {
  // At some angle each part's torch is as far from the other's steel as on average.
  const Orientation& a = orientations_[left];
  const Orientation& b = orientations_[right];
  const double mean = std::max(a.meanReachRight - b.meanLeft, a.meanRight - b.meanReachLeft);
  return static_cast<Microns>(std::floor(mean * 1000));
}

}  // namespace korvex::nesting_internal
