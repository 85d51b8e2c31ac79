#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <vector>

#include "nesting/stick_order.h"

namespace korvex::nesting_internal {

using Sticks = std::vector<Chain>;

// The work a search may do, counted rather than timed so that the same list gives the same plan
// on any machine; and a report of how far it has come, which may throw to stop the search.
class WorkBudget {
 public:
  WorkBudget(const JunctionTable& table, std::uint64_t limit,
             std::function<void(double done)> report = {});

  bool spent() const { return used() >= limit_; }
  // The work this share of what is left allows, as a mark to stop at.
  std::uint64_t markAfter(double share) const;
  bool reached(std::uint64_t mark) const { return spent() || table_.work() >= mark; }
  // Reports now and then how much of the work is done.
  void tick();

 private:
  std::uint64_t used() const { return table_.work() - start_; }

  const JunctionTable& table_;
  std::uint64_t start_, limit_, reported_ = 0;
  std::function<void(double)> report_;
};

// First fit, longest parts first: each part inserted where it fits on the first stick that
// takes it, or else onto the first stick that takes it with its parts laid out afresh.
Sticks FirstFit(JunctionTable& table, std::vector<std::size_t> kinds,
                const std::function<void(std::size_t placed)>& progress);

// Empties sticks into the others, the emptiest first, while the plan has more than bound
// sticks and the work allows; a stick that cannot be emptied stays as it was.
void FewerSticks(JunctionTable& table, Sticks& sticks, std::size_t bound, WorkBudget& budget);

// Shortens the stick that can end soonest by moving its parts to the others and exchanging
// them for shorter ones, where the others still fit: never a stick more, never a shorter
// longest remnant.
void LongerRemnant(JunctionTable& table, Sticks& sticks, WorkBudget& budget);

// Each stick laid out again in its shortest order, sharing the most cuts, where that helps.
void Reorder(JunctionTable& table, Sticks& sticks, WorkBudget& budget);

}  // namespace korvex::nesting_internal
