#include "nesting/stick_order.h"

#include <algorithm>
#include <cmath>

#include "nesting/subset_chains.h"

namespace korvex::nesting_internal {
namespace {

// Lengths this close count as equal: far below what any torch holds, far above rounding.
constexpr double kLengthTolerance = 1e-9;
// A long chain is improved by moving one part at a time, at most this many times over.
constexpr int kReinsertPasses = 3;

double EndAt(const JunctionTable& table, Microns lastOffset, std::size_t last) {
  return static_cast<double>(lastOffset) / 1000 + table.reach(last);
}

// The part inserted where the chain stays shortest, either way round, when it ends at or
// before limit; the spacing no turn undercuts skips what cannot end there.
std::optional<Chain> BestInsertion(JunctionTable& table, const Chain& chain, std::size_t kind,
                                   double limit, Positions positions = Positions::Anywhere) {
  const std::vector<std::size_t>& order = chain.order;
  std::optional<std::size_t> bestAt, bestOrientation;
  double bestEnd = INFINITY;
  int bestShared = 0;
  const auto offer = [&](std::size_t at, std::size_t o, Microns lastOffset, std::size_t last,
                         int shared) {
    const double end = EndAt(table, lastOffset, last);
    if (end > limit || end > bestEnd || (end == bestEnd && shared <= bestShared)) return;
    bestAt = at;
    bestOrientation = o;
    bestEnd = end;
    bestShared = shared;
  };
  for (std::size_t o = kind * 2; o < kind * 2 + 2; ++o) {
    if (order.empty()) {
      offer(0, o, table.firstOffset(o), o, 0);
      continue;
    }
    const auto linkShare = [](const Link& link) { return link.shared ? 1 : 0; };
    // In front: every part after moves by what the new start and link add.
    const Microns front = table.firstOffset(o) - table.firstOffset(order.front());
    if (EndAt(table, chain.lastOffset + front + table.leastSpacing(o, order.front()),
              order.back()) <= limit) {
      const Link& link = table.link(o, order.front());
      offer(0, o, chain.lastOffset + front + link.spacing, order.back(),
            chain.shared + linkShare(link));
    }
    for (std::size_t i = 1; i < order.size() && positions == Positions::Anywhere; ++i) {
      const Link& old = table.link(order[i - 1], order[i]);
      const Microns least =
          table.leastSpacing(order[i - 1], o) + table.leastSpacing(o, order[i]) - old.spacing;
      if (EndAt(table, chain.lastOffset + least, order.back()) > limit) continue;
      const Link& in = table.link(order[i - 1], o);
      const Link& out = table.link(o, order[i]);
      offer(i, o, chain.lastOffset + in.spacing + out.spacing - old.spacing, order.back(),
            chain.shared + linkShare(in) + linkShare(out) - linkShare(old));
    }
    if (EndAt(table, chain.lastOffset + table.leastSpacing(order.back(), o), o) <= limit) {
      const Link& link = table.link(order.back(), o);
      offer(order.size(), o, chain.lastOffset + link.spacing, o, chain.shared + linkShare(link));
    }
  }
  if (!bestAt) return std::nullopt;
  std::vector<std::size_t> inserted = order;
  inserted.insert(inserted.begin() + static_cast<std::ptrdiff_t>(*bestAt), *bestOrientation);
  return LaidOut(table, std::move(inserted));
}

// Parts inserted one by one, longest first, each where the chain stays shortest; then each part
// taken out and inserted again where it leaves the chain shorter, while that helps.
Chain InsertionChain(JunctionTable& table, std::vector<std::size_t> kinds) {
  std::stable_sort(kinds.begin(), kinds.end(), [&](std::size_t a, std::size_t b) {
    return table.extent(a) > table.extent(b);
  });
  Chain chain;
  for (std::size_t kind : kinds)
    chain = *BestInsertion(table, chain, kind, INFINITY);
  for (int pass = 0; pass < kReinsertPasses; ++pass) {
    bool improved = false;
    for (std::size_t i = 0; i < chain.order.size(); ++i) {
      const std::size_t kind = chain.order[i] / 2;
      const Chain again = *BestInsertion(table, Removed(table, chain, i), kind, INFINITY);
      if (Better(again, chain)) {
        chain = again;
        improved = true;
      }
    }
    if (!improved) break;
  }
  return chain;
}

}  // namespace

Chain LaidOut(JunctionTable& table, std::vector<std::size_t> order) {
  Chain chain;
  chain.order = std::move(order);
  if (chain.order.empty()) return chain;
  chain.lastOffset = table.firstOffset(chain.order.front());
  for (std::size_t i = 0; i < chain.order.size(); ++i) {
    chain.own += table.own(chain.order[i] / 2);
    if (i == 0) continue;
    const Link& link = table.link(chain.order[i - 1], chain.order[i]);
    chain.lastOffset += link.spacing;
    chain.shared += link.shared ? 1 : 0;
  }
  chain.end = EndAt(table, chain.lastOffset, chain.order.back());
  return chain;
}

bool Fits(const JunctionTable& table, const Chain& chain) {
  return chain.end <= table.stock().length + kLengthTolerance;
}

bool MightTake(const JunctionTable& table, const Chain& chain, double own, std::size_t parts) {
  const StockRules& stock = table.stock();
  const auto count = static_cast<double>(chain.order.size() + parts);
  return FirstPartStart(stock) + chain.own + own + (count - 1) * stock.kerf <=
         stock.length + kLengthTolerance;
}

bool Better(const Chain& a, const Chain& b) {
  return a.end < b.end || (a.end == b.end && a.shared > b.shared);
}

std::vector<std::size_t> KindsOf(const Chain& chain) {
  std::vector<std::size_t> kinds;
  kinds.reserve(chain.order.size());
  for (std::size_t o : chain.order)
    kinds.push_back(o / 2);
  return kinds;
}

std::optional<Chain> Inserted(JunctionTable& table, const Chain& chain, std::size_t kind,
                              Positions positions) {
  if (!MightTake(table, chain, table.own(kind), 1)) return std::nullopt;
  return BestInsertion(table, chain, kind, table.stock().length + kLengthTolerance, positions);
}

Chain Removed(JunctionTable& table, const Chain& chain, std::size_t index) {
  std::vector<std::size_t> order = chain.order;
  order.erase(order.begin() + static_cast<std::ptrdiff_t>(index));
  return LaidOut(table, std::move(order));
}

std::optional<Chain> FittingChain(JunctionTable& table, std::span<const std::size_t> kinds) {
  double own = 0;
  for (std::size_t kind : kinds)
    own += table.own(kind);
  if (kinds.empty() || !MightTake(table, Chain{}, own, kinds.size())) return std::nullopt;
  if (kinds.size() <= kExactParts) {
    const SubsetChains chains(table, kinds);
    if (!chains.fits(chains.full())) return std::nullopt;
    return chains.chain(chains.full());
  }
  Chain chain = InsertionChain(table, {kinds.begin(), kinds.end()});
  if (!Fits(table, chain)) return std::nullopt;
  return chain;
}

}  // namespace korvex::nesting_internal
