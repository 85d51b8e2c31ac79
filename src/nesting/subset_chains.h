#pragma once

#include <cstddef>
#include <span>
#include <vector>

#include "nesting/stick_order.h"

namespace korvex::nesting_internal {

// Every part of a list that fits a stick, with the shortest chain that fits: its order, flips
// and turns, found by building chains one part at a time over the parts used so far and the last
// one's orientation; the turns are free, so each link is best on its own. Parts of one kind are
// alike: a state counts how many of each kind it uses, in mixed radix.
class SubsetChains {
 public:
  // The parts by kind, kinds repeated as often as they come.
  SubsetChains(JunctionTable& table, std::span<const std::size_t> kinds);

  // How many states the parts have: the product of each kind's count plus one.
  static std::size_t StatesOf(std::span<const std::size_t> kinds);

  std::size_t states() const { return bestEnd_.size(); }
  std::size_t full() const { return states() - 1; }
  std::size_t kindCount() const { return kinds_.size(); }
  std::size_t kind(std::size_t k) const { return kinds_[k]; }
  int count(std::size_t k) const { return counts_[k]; }
  std::size_t radix(std::size_t k) const { return radix_[k]; }
  int used(std::size_t state, std::size_t k) const {
    return static_cast<int>(state / radix_[k] % static_cast<std::size_t>(counts_[k] + 1));
  }

  bool fits(std::size_t state) const { return bestLast_[state] >= 0; }
  double end(std::size_t state) const { return bestEnd_[state]; }
  int shared(std::size_t state) const;
  Chain chain(std::size_t state) const;

 private:
  std::size_t index(std::size_t state, std::size_t orientation) const {
    return state * orientations_ + orientation;
  }
  std::size_t global(std::size_t orientation) const {
    return kinds_[orientation / 2] * 2 + orientation % 2;
  }

  JunctionTable& table_;
  std::vector<std::size_t> kinds_;
  std::vector<int> counts_;
  std::vector<std::size_t> radix_;
  std::size_t orientations_ = 0;
  std::vector<Microns> offset_;  // of the last part, per state and its orientation
  std::vector<int> shared_;
  std::vector<int> from_;  // the orientation before the last, -1 for none
  std::vector<double> bestEnd_;
  std::vector<int> bestLast_;  // -1 where nothing fits
};

}  // namespace korvex::nesting_internal
