#include "nesting/subset_chains.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace korvex::nesting_internal {
namespace {

constexpr Microns kNone = std::numeric_limits<Microns>::max();
// Lengths this close count as equal: far below what any torch holds, far above rounding.
constexpr double kLengthTolerance = 1e-9;

// Shorter first; equally long, more cuts shared.
bool Before(Microns offset, int shared, Microns otherOffset, int otherShared) {
  return offset < otherOffset || (offset == otherOffset && shared > otherShared);
}

}  // namespace

std::size_t SubsetChains::StatesOf(std::span<const std::size_t> kinds) {
  std::vector<std::size_t> sorted(kinds.begin(), kinds.end());
  std::sort(sorted.begin(), sorted.end());
  std::size_t states = 1;
  for (std::size_t i = 0; i < sorted.size();) {
    const std::size_t j = static_cast<std::size_t>(
        std::upper_bound(sorted.begin() + static_cast<std::ptrdiff_t>(i), sorted.end(), sorted[i]) -
        sorted.begin());
    states *= j - i + 1;
    i = j;
  }
  return states;
}

SubsetChains::SubsetChains(JunctionTable& table, std::span<const std::size_t> kinds)
    : table_(table) {
  std::vector<std::size_t> sorted(kinds.begin(), kinds.end());
  std::sort(sorted.begin(), sorted.end());
  std::size_t states = 1;
  for (std::size_t kind : sorted) {
    if (kinds_.empty() || kinds_.back() != kind) {
      kinds_.push_back(kind);
      counts_.push_back(0);
      radix_.push_back(states);
    }
    ++counts_.back();
    states = radix_.back() * static_cast<std::size_t>(counts_.back() + 1);
  }
  orientations_ = kinds_.size() * 2;
  offset_.assign(states * orientations_, kNone);
  shared_.assign(states * orientations_, 0);
  from_.assign(states * orientations_, -1);
  bestEnd_.assign(states, INFINITY);
  bestLast_.assign(states, -1);

  const double length = table.stock().length + kLengthTolerance;
  // Links between the orientations present, searched when first needed.
  std::vector<const Link*> links(orientations_ * orientations_, nullptr);
  const auto linkOf = [&](std::size_t a, std::size_t b) -> const Link& {
    const Link*& link = links[a * orientations_ + b];
    if (link == nullptr) link = &table.link(global(a), global(b));
    return *link;
  };
  const auto offer = [&](std::size_t state, std::size_t o, Microns offset, int shared,
                         int from) {
    const double end = static_cast<double>(offset) / 1000 + table.reach(global(o));
    // A part reaches past the one before it at every angle, so a chain that overruns the stick
    // cannot be mended by adding parts.
    if (end > length) return;
    const std::size_t at = index(state, o);
    if (!Before(offset, shared, offset_[at], shared_[at])) return;
    offset_[at] = offset;
    shared_[at] = shared;
    from_[at] = from;
  };
  for (std::size_t o = 0; o < orientations_; ++o)
    offer(radix_[o / 2], o, table.firstOffset(global(o)), 0, -1);
  std::uint64_t transitions = 0;
  for (std::size_t state = 1; state < states; ++state) {
    for (std::size_t o = 0; o < orientations_; ++o) {
      const std::size_t at = index(state, o);
      if (offset_[at] == kNone) continue;
      const double end = static_cast<double>(offset_[at]) / 1000 + table.reach(global(o));
      if (end < bestEnd_[state] ||
          (end == bestEnd_[state] && shared_[at] > shared(state))) {
        bestEnd_[state] = end;
        bestLast_[state] = static_cast<int>(o);
      }
      for (std::size_t k = 0; k < kinds_.size(); ++k) {
        if (used(state, k) == counts_[k]) continue;
        for (std::size_t next = k * 2; next < k * 2 + 2; ++next) {
          const Link& link = linkOf(o, next);
          offer(state + radix_[k], next, offset_[at] + link.spacing,
                shared_[at] + (link.shared ? 1 : 0), static_cast<int>(o));
          ++transitions;
        }
      }
    }
  }
  table.spend(transitions / 4);
}

int SubsetChains::shared(std::size_t state) const {
  const int last = bestLast_[state];
  return last < 0 ? 0 : shared_[index(state, static_cast<std::size_t>(last))];
}

Chain SubsetChains::chain(std::size_t state) const {
  std::vector<std::size_t> order;
  for (int o = bestLast_[state]; o >= 0;) {
    const auto orientation = static_cast<std::size_t>(o);
    order.push_back(global(orientation));
    const int before = from_[index(state, orientation)];
    state -= radix_[orientation / 2];
    o = before;
  }
  std::reverse(order.begin(), order.end());
  return LaidOut(table_, std::move(order));
}

}  // namespace korvex::nesting_internal
