#include "nesting/local_search.h"

#include <algorithm>
#include <cmath>
#include <numeric>

namespace korvex::nesting_internal {
namespace {

// Own lengths this close count as equal.
constexpr double kLengthTolerance = 1e-9;
// No stick: never an index of one.
constexpr std::size_t kNoStick = static_cast<std::size_t>(-1);
// A part that no stick takes as it is laid out tries at most this many sticks laid out afresh.
constexpr std::size_t kRechainsPerPart = 8;
constexpr std::size_t kFirstFitRechains = 2;
// Exchanges are tried on at most this many candidates, those moving the most own length first;
// the first few of them also with the stick laid out afresh.
constexpr std::size_t kExchangeTries = 24;
constexpr std::size_t kThoroughTries = 4;
// The emptiest sticks tried in turn to be emptied, each with this share of the work left.
constexpr std::size_t kVictims = 6;
constexpr double kVictimShare = 0.25;
// Emptying sticks takes at most this share of the work; gathering the remnant the rest.
constexpr double kFewerSticksShare = 0.6;
// A stick of at most this many parts gives them to sticks that pass one of theirs on.
constexpr std::size_t kPassingParts = 2;

// What a stick gives and takes in an exchange, and how much own length it takes in.
struct Exchange {
  double gain = 0;
  std::size_t stick = 0;
  std::vector<std::size_t> taken;  // indexes into the stick's order
  std::vector<std::size_t> given;  // indexes into the parts offered
};

// How much more own length a stick's parts and kerfs leave room for.
double Room(const JunctionTable& table, const Chain& stick) {
  const StockRules& stock = table.stock();
  const auto parts = static_cast<double>(stick.order.size());
  return stock.length - FirstPartStart(stock) - stick.own - std::max(0.0, parts - 1) * stock.kerf;
}

// The stick with the parts at taken out and the kinds given in, when it then fits: inserted one
// by one, the longest first, or else, when thorough, all laid out afresh.
std::optional<Chain> Swapped(JunctionTable& table, const Chain& stick,
                             std::vector<std::size_t> taken, std::vector<std::size_t> given,
                             bool thorough) {
  std::sort(taken.begin(), taken.end(), std::greater<>());
  std::stable_sort(given.begin(), given.end(),
                   [&](std::size_t a, std::size_t b) { return table.own(a) > table.own(b); });
  Chain chain = stick;
  for (std::size_t t : taken)
    chain = Removed(table, chain, t);
  bool fits = true;
  for (std::size_t kind : given) {
    auto inserted = Inserted(table, chain, kind);
    if (!inserted) {
      fits = false;
      break;
    }
    chain = std::move(*inserted);
  }
  if (fits) return chain;
  if (!thorough) return std::nullopt;
  std::vector<std::size_t> kinds = KindsOf(stick);
  for (std::size_t t : taken)
    kinds.erase(kinds.begin() + static_cast<std::ptrdiff_t>(t));
  kinds.insert(kinds.end(), given.begin(), given.end());
  return FittingChain(table, kinds);
}

// Every exchange of one or two of offered for one or two parts of a stick other than skip that
// takes own length into the stick and that its room allows, the largest gains first.
std::vector<Exchange> ExchangesFor(const JunctionTable& table, const Sticks& sticks,
                                   const std::vector<std::size_t>& offered, std::size_t skip) {
  const double kerf = table.stock().kerf;
  std::vector<Exchange> found;
  for (std::size_t s = 0; s < sticks.size(); ++s) {
    if (s == skip) continue;
    const Chain& stick = sticks[s];
    const double room = Room(table, stick) + kLengthTolerance;
    const auto consider = [&](std::vector<std::size_t> taken, std::vector<std::size_t> given) {
      double gain = 0;
      for (std::size_t g : given)
        gain += table.own(offered[g]);
      for (std::size_t t : taken)
        gain -= table.own(stick.order[t] / 2);
      const double kerfs =
          (static_cast<double>(given.size()) - static_cast<double>(taken.size())) * kerf;
      if (gain > kLengthTolerance && gain + kerfs <= room)
        found.push_back({gain, s, std::move(taken), std::move(given)});
    };
    for (std::size_t g = 0; g < offered.size(); ++g) {
      for (std::size_t t = 0; t < stick.order.size(); ++t) {
        consider({t}, {g});
        for (std::size_t u = t + 1; u < stick.order.size(); ++u)
          consider({t, u}, {g});
        for (std::size_t h = g + 1; h < offered.size(); ++h)
          consider({t}, {g, h});
      }
    }
  }
  std::stable_sort(found.begin(), found.end(),
                   [](const Exchange& a, const Exchange& b) { return a.gain > b.gain; });
  if (found.size() > kExchangeTries) found.resize(kExchangeTries);
  return found;
}

// How hard to try placing a part: where it goes into a stick as it is laid out, and how many
// of the sticks with the most room to lay out afresh with it when it goes into none.
struct Effort {
  Positions positions = Positions::Anywhere;
  std::size_t rechains = kRechainsPerPart;
};

// The part inserted on the first stick other than skip and alsoSkip that takes it, as effort
// allows. Where it went.
std::optional<std::size_t> Place(JunctionTable& table, Sticks& sticks, std::size_t kind,
                                 Effort effort, std::size_t skip = kNoStick,
                                 std::size_t alsoSkip = kNoStick) {
  const auto skipped = [&](std::size_t s) { return s == skip || s == alsoSkip; };
  for (std::size_t s = 0; s < sticks.size(); ++s) {
    if (skipped(s)) continue;
    if (auto chain = Inserted(table, sticks[s], kind, effort.positions)) {
      sticks[s] = std::move(*chain);
      return s;
    }
  }
  std::vector<std::size_t> roomiest;
  for (std::size_t s = 0; s < sticks.size(); ++s) {
    if (!skipped(s) && MightTake(table, sticks[s], table.own(kind), 1)) roomiest.push_back(s);
  }
  std::stable_sort(roomiest.begin(), roomiest.end(), [&](std::size_t a, std::size_t b) {
    return Room(table, sticks[a]) > Room(table, sticks[b]);
  });
  if (roomiest.size() > effort.rechains) roomiest.resize(effort.rechains);
  for (std::size_t s : roomiest) {
    if (auto chain = Swapped(table, sticks[s], {}, {kind}, true)) {
      sticks[s] = std::move(*chain);
      return s;
    }
  }
  return std::nullopt;
}

// Insertion into sticks as they are laid out only.
constexpr Effort kQuick{Positions::Anywhere, 0};

// The parts offered that the exchange gives, and the others with what it takes.
std::pair<std::vector<std::size_t>, std::vector<std::size_t>> Split(
    const std::vector<std::size_t>& offered, const Exchange& e, const Chain& stick) {
  std::vector<std::size_t> given, kept;
  for (std::size_t i = 0; i < offered.size(); ++i) {
    const bool gives = std::find(e.given.begin(), e.given.end(), i) != e.given.end();
    (gives ? given : kept).push_back(offered[i]);
  }
  for (std::size_t t : e.taken)
    kept.push_back(stick.order[t] / 2);
  return {given, kept};
}

// The stick at victim emptied into the others, when that can be done within the work up to
// mark: its parts form a pool, placed where they fit, and exchanged for shorter parts of
// sticks that still fit with them while the pool shrinks.
bool Emptied(JunctionTable& table, Sticks& sticks, std::size_t victim, std::uint64_t mark,
             WorkBudget& budget) {
  Sticks trial = sticks;
  std::vector<std::size_t> pool = KindsOf(trial[victim]);
  trial.erase(trial.begin() + static_cast<std::ptrdiff_t>(victim));
  while (true) {
    std::stable_sort(pool.begin(), pool.end(),
                     [&](std::size_t a, std::size_t b) { return table.own(a) > table.own(b); });
    for (std::size_t i = 0; i < pool.size();) {
      budget.tick();
      if (Place(table, trial, pool[i], {})) {
        pool.erase(pool.begin() + static_cast<std::ptrdiff_t>(i));
      } else {
        ++i;
      }
    }
    if (pool.empty()) {
      sticks = std::move(trial);
      return true;
    }
    bool shrunk = false;
    const std::vector<Exchange> exchanges = ExchangesFor(table, trial, pool, kNoStick);
    for (std::size_t i = 0; i < exchanges.size() && !shrunk; ++i) {
      if (budget.reached(mark)) return false;
      budget.tick();
      const Exchange& e = exchanges[i];
      auto [given, kept] = Split(pool, e, trial[e.stick]);
      if (auto chain = Swapped(table, trial[e.stick], e.taken, given, i < kThoroughTries)) {
        trial[e.stick] = std::move(*chain);
        pool = std::move(kept);
        shrunk = true;
      }
    }
    if (!shrunk) return false;
  }
}

// The plan's measure: fewer sticks, then the stick that ends soonest ending sooner, then more
// cuts shared.
struct Score {
  std::size_t sticks = 0;
  double soonest = INFINITY;
  int shared = 0;
  bool operator<(const Score& o) const {
    if (sticks != o.sticks) return sticks < o.sticks;
    if (soonest != o.soonest) return soonest < o.soonest;
    return shared > o.shared;
  }
};

Score ScoreOf(const Sticks& sticks) {
  Score score{sticks.size(), INFINITY, 0};
  for (const Chain& stick : sticks) {
    score.soonest = std::min(score.soonest, stick.end);
    score.shared += stick.shared;
  }
  return score;
}

// The remnant's stick with what stays laid out as short as it goes; gone when nothing stays.
void Settle(JunctionTable& table, Sticks& sticks, std::size_t r, Chain rest) {
  if (rest.order.empty()) {
    sticks.erase(sticks.begin() + static_cast<std::ptrdiff_t>(r));
    return;
  }
  if (auto chain = FittingChain(table, KindsOf(rest)); chain && Better(*chain, rest)) {
    rest = std::move(*chain);
  }
  sticks[r] = std::move(rest);
}

// One step that shortens the stick at r: a part given to another stick, exchanged for shorter
// parts of another, or given to another that passes one of its parts on to a third.
bool Shortened(JunctionTable& table, Sticks& sticks, std::size_t r, WorkBudget& budget) {
  const Chain stick = sticks[r];
  const std::vector<std::size_t> mine = KindsOf(stick);
  std::vector<std::size_t> longest(mine.size());
  std::iota(longest.begin(), longest.end(), 0);
  std::stable_sort(longest.begin(), longest.end(), [&](std::size_t a, std::size_t b) {
    return table.own(mine[a]) > table.own(mine[b]);
  });
  for (std::size_t i : longest) {
    budget.tick();
    if (Place(table, sticks, mine[i], kQuick, r)) {
      Settle(table, sticks, r, Removed(table, stick, i));
      return true;
    }
  }
  for (const Exchange& e : ExchangesFor(table, sticks, mine, r)) {
    if (budget.spent()) return false;
    budget.tick();
    auto [given, kept] = Split(mine, e, sticks[e.stick]);
    std::vector<std::size_t> takenKinds(kept.end() - static_cast<std::ptrdiff_t>(e.taken.size()),
                                        kept.end());
    auto after = Swapped(table, stick, e.given, takenKinds, false);
    if (!after || after->end >= stick.end) continue;
    auto theirs = Swapped(table, sticks[e.stick], e.taken, given, false);
    if (!theirs) continue;
    sticks[e.stick] = std::move(*theirs);
    Settle(table, sticks, r, std::move(*after));
    return true;
  }
  // Few parts left: worth passing parts on between two other sticks to take them.
  if (mine.size() > kPassingParts) return false;
  for (std::size_t i : longest) {
    const double own = table.own(mine[i]);
    for (std::size_t s = 0; s < sticks.size(); ++s) {
      if (s == r) continue;
      for (std::size_t t = 0; t < sticks[s].order.size(); ++t) {
        if (budget.spent()) return false;
        const std::size_t passed = sticks[s].order[t] / 2;
        if (table.own(passed) >= own || Room(table, sticks[s]) + table.own(passed) < own) continue;
        budget.tick();
        auto theirs = Swapped(table, sticks[s], {t}, {mine[i]}, false);
        if (!theirs) continue;
        Sticks trial = sticks;
        trial[s] = std::move(*theirs);
        if (!Place(table, trial, passed, kQuick, r, s)) continue;
        Settle(table, trial, r, Removed(table, stick, i));
        sticks = std::move(trial);
        return true;
      }
    }
  }
  return false;
}

}  // namespace

WorkBudget::WorkBudget(const JunctionTable& table, std::uint64_t limit,
                       std::function<void(double)> report)
    : table_(table), start_(table.work()), limit_(limit), report_(std::move(report)) {}

std::uint64_t WorkBudget::markAfter(double share) const {
  const std::uint64_t left = spent() ? 0 : limit_ - used();
  return table_.work() + static_cast<std::uint64_t>(static_cast<double>(left) * share);
}

void WorkBudget::tick() {
  const std::uint64_t used = std::min(this->used(), limit_);
  if (!report_ || used - reported_ < limit_ / 100) return;
  reported_ = used;
  report_(static_cast<double>(used) / static_cast<double>(limit_));
}

Sticks FirstFit(JunctionTable& table, std::vector<std::size_t> kinds,
                const std::function<void(std::size_t)>& progress) {
  std::stable_sort(kinds.begin(), kinds.end(), [&](std::size_t a, std::size_t b) {
    return table.extent(a) > table.extent(b);
  });
  Sticks sticks;
  for (std::size_t placed = 0; placed < kinds.size(); ++placed) {
    if (!Place(table, sticks, kinds[placed], {Positions::Ends, kFirstFitRechains})) {
      sticks.push_back(LaidOut(table, {kinds[placed] * 2}));
    }
    if (progress) progress(placed + 1);
  }
  return sticks;
}

void FewerSticks(JunctionTable& table, Sticks& sticks, std::size_t bound, WorkBudget& budget) {
  const std::uint64_t mark = budget.markAfter(kFewerSticksShare);
  bool emptied = true;
  while (emptied && sticks.size() > bound && !budget.reached(mark)) {
    emptied = false;
    std::vector<std::size_t> order(sticks.size());
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return sticks[a].own < sticks[b].own; });
    for (std::size_t i = 0; i < std::min(kVictims, order.size()) && !emptied; ++i) {
      if (budget.reached(mark)) return;
      emptied = Emptied(table, sticks, order[i], budget.markAfter(kVictimShare), budget);
    }
  }
}

void LongerRemnant(JunctionTable& table, Sticks& sticks, WorkBudget& budget) {
  if (sticks.size() < 2) return;
  // The stick with the least own length has the least to give away.
  std::size_t r = 0;
  for (std::size_t s = 1; s < sticks.size(); ++s) {
    if (sticks[s].own < sticks[r].own) r = s;
  }
  Sticks trial = sticks;
  while (!budget.spent()) {
    const std::size_t before = trial.size();
    if (!Shortened(table, trial, r, budget)) break;
    if (trial.size() < before) {
      // The stick emptied: one fewer, and another to shorten.
      sticks = trial;
      LongerRemnant(table, sticks, budget);
      return;
    }
  }
  if (ScoreOf(trial) < ScoreOf(sticks)) sticks = std::move(trial);
}

void Reorder(JunctionTable& table, Sticks& sticks, WorkBudget& budget) {
  for (Chain& stick : sticks) {
    budget.tick();
    if (auto chain = FittingChain(table, KindsOf(stick)); chain && Better(*chain, stick)) {
      stick = std::move(*chain);
    }
  }
}

}  // namespace korvex::nesting_internal
