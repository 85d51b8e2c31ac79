#include "nesting/nest_parts.h"

#include <algorithm>
#include <cmath>

#include "nesting/exact_plan.h"
#include "nesting/junction_table.h"
#include "nesting/local_search.h"
#include "nesting/sticks_bound.h"

namespace korvex {
namespace {

using nesting_internal::Chain;
using nesting_internal::JunctionTable;
using nesting_internal::Link;
using nesting_internal::Microns;
using nesting_internal::Sticks;
using nesting_internal::WorkBudget;

// Lengths this close count as equal: far below what any torch holds, far above rounding.
constexpr double kLengthTolerance = 1e-9;
// The work the search after the first fit may do for each part, in links looked up.
constexpr std::uint64_t kWorkPerPart = 8000;

NestedStick Nested(JunctionTable& table, const Chain& chain) {
  NestedStick stick;
  Microns offset = 0;
  int turn = 0;
  for (std::size_t i = 0; i < chain.order.size(); ++i) {
    const std::size_t o = chain.order[i];
    if (i == 0) {
      offset = table.firstOffset(o);
    } else {
      const Link& link = table.link(chain.order[i - 1], o);
      offset += link.spacing;
      turn = (turn + link.turn) % 360;
    }
    stick.parts.push_back({o / 2, static_cast<double>(offset) / 1000, o % 2 == 1, turn});
  }
  stick.end = chain.end;
  const double reachEnd = static_cast<double>(offset) / 1000 + table.reachBeyond(chain.order.back());
  stick.remnant = std::max(0.0, table.stock().length - reachEnd);
  return stick;
}

// The fewest sticks the parts' own lengths allow, counted as LowerBound counts them, with
// parts over half a stick each kept apart.
int SticksNeeded(const JunctionTable& table, const std::vector<std::size_t>& kinds) {
  const StockRules& stock = table.stock();
  std::vector<double> sizes;
  for (std::size_t kind : kinds)
    sizes.push_back(table.own(kind) + stock.kerf);
  return nesting_internal::SticksBound(std::move(sizes),
                                       stock.length - FirstPartStart(stock) + stock.kerf);
}

Sticks Searched(JunctionTable& table, const std::vector<std::size_t>& kinds, std::size_t bound,
                const NestProgress& progress) {
  const std::size_t n = kinds.size();
  const auto report = [&](std::size_t done) {
    if (progress) progress(done, n);
  };
  // Placing takes the first half of the progress, improving the second.
  Sticks sticks =
      nesting_internal::FirstFit(table, kinds, [&](std::size_t placed) { report(placed / 2); });
  WorkBudget budget(table, kWorkPerPart * n, [&](double done) {
    report(n / 2 + static_cast<std::size_t>(done * static_cast<double>(n - n / 2)));
  });
  nesting_internal::FewerSticks(table, sticks, bound, budget);
  nesting_internal::LongerRemnant(table, sticks, budget);
  nesting_internal::Reorder(table, sticks, budget);
  return sticks;
}

}  // namespace

double FirstPartStart(const StockRules& stock) {
  return stock.trim ? *stock.trim + stock.kerf : 0.0;
}

double StockTaken(const PartExtents& part, const StockRules& stock) {
  const nesting_internal::Orientation o = nesting_internal::OrientationOf(part, false);
  return nesting_internal::StartOffset(o, stock) + o.maxRight;
}

int LowerBound(std::span<const NestPart> parts, const StockRules& stock) {
  double needed = 0;
  for (const NestPart& part : parts)
    needed += part.quantity * (OwnLength(part.ends) + stock.kerf);
  const double perStick = stock.length - FirstPartStart(stock) + stock.kerf;
  return static_cast<int>(std::ceil(needed / perStick - kLengthTolerance));
}

NestPlan NestParts(std::span<const NestPart> parts, const StockRules& stock,
                   const NestProgress& progress) {
  JunctionTable table(parts, stock);
  std::vector<std::size_t> kinds;
  for (std::size_t i = 0; i < parts.size(); ++i)
    kinds.insert(kinds.end(), static_cast<std::size_t>(std::max(parts[i].quantity, 0)), i);

  NestPlan plan;
  plan.lowerBound = LowerBound(parts, stock);
  Sticks sticks;
  if (auto exact = nesting_internal::ExactPlan(table, kinds)) {
    sticks = std::move(*exact);
    plan.provenOptimal = true;
  } else {
    const auto bound = static_cast<std::size_t>(
        std::max(plan.lowerBound, SticksNeeded(table, kinds)));
    sticks = Searched(table, kinds, bound, progress);
    plan.provenOptimal = sticks.size() <= bound;
  }
  if (progress) progress(kinds.size(), kinds.size());

  for (const Chain& chain : sticks)
    plan.sticks.push_back(Nested(table, chain));
  std::stable_sort(
      plan.sticks.begin(), plan.sticks.end(),
      [](const NestedStick& a, const NestedStick& b) { return a.remnant < b.remnant; });
  return plan;
}

}  // namespace korvex
