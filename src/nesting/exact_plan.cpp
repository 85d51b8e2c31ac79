#include "nesting/exact_plan.h"

#include <algorithm>

#include "nesting/subset_chains.h"

namespace korvex::nesting_internal {
namespace {

// Lists with at most this many parts, whose kinds' counts give at most this many states, are
// planned exactly: milliseconds.
constexpr std::size_t kExactListParts = 24;
constexpr std::size_t kExactListStates = 4096;

// The fewest sticks that hold the parts of a state, with the most cuts shared, and the parts
// of one of those sticks.
struct Cover {
  int sticks = -1;  // -1: none found
  int shared = 0;
  std::size_t stick = 0;
};

bool Fewer(int sticks, int shared, const Cover& than) {
  return than.sticks < 0 || sticks < than.sticks || (sticks == than.sticks && shared > than.shared);
}

// Calls visit for every part of state: each kind's count from 0 to the state's, those with a
// kind below first not at all and first at least once.
template <typename Visit>
void ForEachPart(const SubsetChains& chains, std::size_t state, std::size_t first, Visit visit) {
  std::vector<int> digit(chains.kindCount(), 0);
  digit[first] = 1;
  std::size_t part = chains.radix(first);
  while (true) {
    visit(part);
    std::size_t k = first;
    for (; k < chains.kindCount(); ++k) {
      if (digit[k] < chains.used(state, k)) {
        ++digit[k];
        part += chains.radix(k);
        break;
      }
      const int floor = k == first ? 1 : 0;
      part -= static_cast<std::size_t>(digit[k] - floor) * chains.radix(k);
      digit[k] = floor;
    }
    if (k == chains.kindCount()) return;
  }
}

std::size_t FirstKind(const SubsetChains& chains, std::size_t state) {
  std::size_t k = 0;
  while (chains.used(state, k) == 0)
    ++k;
  return k;
}

}  // namespace

std::optional<std::vector<Chain>> ExactPlan(JunctionTable& table,
                                            std::span<const std::size_t> kinds) {
  if (kinds.empty() || kinds.size() > kExactListParts ||
      SubsetChains::StatesOf(kinds) > kExactListStates) {
    return std::nullopt;
  }
  const SubsetChains chains(table, kinds);
  std::vector<Cover> cover(chains.states());
  cover[0].sticks = 0;
  std::uint64_t tried = 0;
  for (std::size_t state = 1; state < chains.states(); ++state) {
    Cover& best = cover[state];
    ForEachPart(chains, state, FirstKind(chains, state), [&](std::size_t part) {
      ++tried;
      const Cover& rest = cover[state - part];
      if (!chains.fits(part) || rest.sticks < 0) return;
      const int shared = rest.shared + chains.shared(part);
      if (Fewer(rest.sticks + 1, shared, best)) best = {rest.sticks + 1, shared, part};
    });
  }
  table.spend(tried / 4);
  const std::size_t full = chains.full();
  if (cover[full].sticks < 0) return std::nullopt;

  // The stick of the remnant: any that leaves a fewest-stick cover of the rest.
  const double length = table.stock().length, kerf = table.stock().kerf;
  std::size_t remnantStick = 0;
  double longest = -1;
  int mostShared = 0;
  for (std::size_t part = 1; part < chains.states(); ++part) {
    const Cover& rest = cover[full - part];
    if (!chains.fits(part) || rest.sticks + 1 != cover[full].sticks) continue;
    const double remnant = std::max(0.0, length - chains.end(part) - kerf);
    const int shared = rest.shared + chains.shared(part);
    if (remnant > longest || (remnant == longest && shared > mostShared)) {
      remnantStick = part;
      longest = remnant;
      mostShared = shared;
    }
  }
  std::vector<Chain> sticks{chains.chain(remnantStick)};
  for (std::size_t state = full - remnantStick; state != 0; state -= cover[state].stick)
    sticks.push_back(chains.chain(cover[state].stick));
  return sticks;
}

}  // namespace korvex::nesting_internal
