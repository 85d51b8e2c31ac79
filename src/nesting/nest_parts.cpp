#include "nesting/nest_parts.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <numeric>
#include <unordered_map>

#include "nesting/facing_ends.h"

namespace korvex {
namespace {

using nesting_internal::BestJunction;
using nesting_internal::Junction;
using nesting_internal::Orientation;
using nesting_internal::OrientationOf;
using nesting_internal::SpacingAt;

// Lengths this close count as equal: far below what any torch holds, far above rounding.
constexpr double kLengthTolerance = 1e-9;

// Offsets are rounded up to whole thousandths of a mm, so that the three decimals a plan
// states place every part exactly where it was planned; rounding up only widens gaps.
double Snapped(double offset) {
  return std::ceil(offset * 1000 - 1e-6) / 1000;
}

int WrappedTurn(int degrees) {
  degrees %= 360;
  return degrees < 0 ? degrees + 360 : degrees;
}

// A part on a stick while planning: which orientation (part·2 + flipped), where, how turned.
struct Slot {
  std::size_t orientation = 0;
  double offset = 0;
  int turn = 0;
};

struct Stick {
  std::vector<Slot> slots;
  double end = 0;       // the end of the last part's steel
  double reachEnd = 0;  // how far the last part's torch reaches
  double own = 0;       // the parts' own lengths, summed
};

// A stick whose parts the first fit could not take one more is laid out again at most this many
// times for each part: enough to find room, few enough to keep thousands of parts fast.
constexpr int kRechainsPerPart = 8;

// The remnant's stick changes parts with the others in at most this many passes, trying this
// many exchanges for each of its parts.
constexpr int kExchangePasses = 4;
constexpr std::size_t kExchangeTries = 12;
// Exchanges and moves alternate while they take something out, at most this often.
constexpr int kGatherRounds = 6;

class Nester {
 public:
  Nester(std::span<const NestPart> parts, const StockRules& stock)
      : stock_(stock), start_(FirstPartStart(stock)) {
    orientations_.reserve(parts.size() * 2);
    for (const NestPart& part : parts) {
      orientations_.push_back(OrientationOf(part.ends, false));
      orientations_.push_back(OrientationOf(part.ends, true));
    }
  }

  // A stick holding the part alone, as drawn, at the stick's start.
  Stick newStick(std::size_t part) const {
    const Orientation& o = orientations_[part * 2];
    Stick stick;
    append(stick, {part * 2, startOffset(o), 0});
    return stick;
  }

  double ownOf(std::size_t part) const {
    const Orientation& o = orientations_[part * 2];
    return o.meanRight - o.meanLeft;
  }

  // What the parts' own lengths and kerfs leave of the stick.
  double roomFor(const Stick& stick) const {
    return stock_.length - start_ - stick.own -
           static_cast<double>(stick.slots.size() - 1) * stock_.kerf;
  }

  // Whether the parts' own lengths and kerfs alone leave room for one more part.
  bool mightTake(const Stick& stick, std::size_t part) const {
    return start_ + stick.own + ownOf(part) +
               static_cast<double>(stick.slots.size()) * stock_.kerf <=
           stock_.length + kLengthTolerance;
  }

  // The stick's parts, and part when given, laid out afresh: first the end that overhangs
  // least, then each time the part, either way round, whose facing end comes closest. Nothing
  // when they do not fit.
  std::optional<Stick> rechained(const Stick& stick, std::optional<std::size_t> part) {
    std::vector<std::size_t> parts;
    for (const Slot& slot : stick.slots)
      parts.push_back(slot.orientation / 2);
    if (part) parts.push_back(*part);
    return chainOf(std::move(parts));
  }

  // The parts laid out as rechained lays them out, or nothing when they do not fit.
  std::optional<Stick> chainOf(std::vector<std::size_t> parts) {
    std::sort(parts.begin(), parts.end());
    Stick chain;
    while (!parts.empty()) {
      std::size_t bestPart = 0;
      Slot best;
      double bestLoss = INFINITY;
      for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i > 0 && parts[i] == parts[i - 1]) continue;
        for (std::size_t flipped = 0; flipped < 2; ++flipped) {
          const std::size_t index = parts[i] * 2 + flipped;
          const Orientation& o = orientations_[index];
          Slot slot{index, 0, 0};
          double loss = 0;
          if (chain.slots.empty()) {
            loss = o.meanLeft - o.minLeft;
          } else {
            const Slot& last = chain.slots.back();
            const Orientation& left = orientations_[last.orientation];
            const Junction junction = junctionOf(last.orientation, index);
            loss = junction.spacing - (left.meanRight - o.meanLeft);
            slot.turn = junction.turn;
          }
          if (loss < bestLoss) {
            bestLoss = loss;
            bestPart = i;
            best = slot;
          }
        }
      }
      const Orientation& o = orientations_[best.orientation];
      if (chain.slots.empty()) {
        best.offset = startOffset(o);
      } else {
        const Slot& last = chain.slots.back();
        best.offset = Snapped(last.offset + junctionOf(last.orientation, best.orientation).spacing);
        best.turn = WrappedTurn(last.turn + best.turn);
      }
      append(chain, best);
      if (chain.end > stock_.length + kLengthTolerance) return std::nullopt;
      parts.erase(parts.begin() + static_cast<std::ptrdiff_t>(bestPart));
    }
    return chain;
  }

  // The part appended after the stick's last part, either way round, as short as it goes; or
  // nothing when it does not fit.
  std::optional<Slot> appended(const Stick& stick, std::size_t part) {
    const Slot& last = stick.slots.back();
    const Orientation& left = orientations_[last.orientation];
    std::optional<Slot> best;
    double bestEnd = INFINITY;
    for (std::size_t flipped = 0; flipped < 2; ++flipped) {
      const std::size_t index = part * 2 + flipped;
      const Orientation& right = orientations_[index];
      // No turn spaces two ends closer than their means: skip what cannot fit anyway.
      const double shortest = last.offset + left.meanRight - right.meanLeft + stock_.kerf;
      if (shortest + right.maxRight > stock_.length + kLengthTolerance) continue;
      const Junction junction = junctionOf(last.orientation, index);
      const Slot slot{index, Snapped(last.offset + junction.spacing),
                      WrappedTurn(last.turn + junction.turn)};
      const double end = slot.offset + right.maxRight;
      if (end <= stock_.length + kLengthTolerance && end < bestEnd) {
        best = slot;
        bestEnd = end;
      }
    }
    return best;
  }

  void append(Stick& stick, const Slot& slot) const {
    stick.own += ownOf(slot.orientation / 2);
    stick.slots.push_back(slot);
    setEnds(stick);
  }

  void setEnds(Stick& stick) const {
    const Slot& last = stick.slots.back();
    stick.end = last.offset + orientations_[last.orientation].maxRight;
    stick.reachEnd = last.offset + orientations_[last.orientation].maxReachRight;
  }

  // Where the first part of a stick goes: its steel at the stick's start, or with a trim its
  // torch clear of the trimmed end.
  double startOffset(const Orientation& o) const {
    return Snapped(stock_.trim ? *stock_.trim - o.minReachLeft : -o.minLeft);
  }

  // Moves every part as far left as its neighbours allow, keeping every turn. Never longer: a
  // part taken out leaves its neighbours at least two kerfs apart at every angle.
  void compact(Stick& stick) const {
    for (std::size_t i = 0; i < stick.slots.size(); ++i) {
      Slot& slot = stick.slots[i];
      const Orientation& o = orientations_[slot.orientation];
      if (i == 0) {
        slot.offset = startOffset(o);
      } else {
        const Slot& before = stick.slots[i - 1];
        slot.offset = Snapped(before.offset + SpacingAt(orientations_[before.orientation], o,
                                                        slot.turn - before.turn));
      }
    }
    setEnds(stick);
  }

  double extent(std::size_t part) const {
    const Orientation& o = orientations_[part * 2];
    return o.maxRight - o.minLeft;
  }

 private:
  Junction junctionOf(std::size_t left, std::size_t right) {
    const std::uint64_t key = static_cast<std::uint64_t>(left) * orientations_.size() + right;
    const auto found = junctions_.find(key);
    if (found != junctions_.end()) return found->second;
    const Junction junction = BestJunction(orientations_[left], orientations_[right]);
    junctions_.emplace(key, junction);
    return junction;
  }

  StockRules stock_;
  double start_;
  std::vector<Orientation> orientations_;
  std::unordered_map<std::uint64_t, Junction> junctions_;
};

// First fit, longest parts first: each part goes after the last part of the first stick it
// fits, or else into the first stick that takes it when its parts are laid out afresh.
std::vector<Stick> FirstFit(Nester& nester, std::vector<std::size_t> items,
                            const NestProgress& progress) {
  std::stable_sort(items.begin(), items.end(), [&](std::size_t a, std::size_t b) {
    return nester.extent(a) > nester.extent(b);
  });
  std::vector<Stick> sticks;
  for (std::size_t placed = 0; placed < items.size(); ++placed) {
    const std::size_t part = items[placed];
    bool done = false;
    for (Stick& stick : sticks) {
      if (const auto slot = nester.appended(stick, part)) {
        nester.append(stick, *slot);
        done = true;
        break;
      }
    }
    int rechains = 0;
    for (auto stick = sticks.begin(); !done && stick != sticks.end() && rechains < kRechainsPerPart;
         ++stick) {
      if (!nester.mightTake(*stick, part)) continue;
      ++rechains;
      if (auto chain = nester.rechained(*stick, part)) {
        *stick = std::move(*chain);
        done = true;
      }
    }
    if (!done) sticks.push_back(nester.newStick(part));
    if (progress) progress(placed + 1, items.size());
  }
  // A stick laid out afresh may come out shorter, leaving more room below.
  for (Stick& stick : sticks) {
    if (auto chain = nester.rechained(stick, std::nullopt); chain && chain->end < stick.end) {
      stick = std::move(*chain);
    }
  }
  return sticks;
}

// Parts of the source changed for shorter parts of the other sticks, where those sticks then
// still fit: every exchange moves own length out of the source, so that its parts, shorter now,
// fit the others' free ends.
void ExchangeIntoOthers(Nester& nester, Stick& source, std::vector<Stick>& sticks) {
  const auto partsOf = [](const Stick& stick) {
    std::vector<std::size_t> parts;
    for (const Slot& slot : stick.slots)
      parts.push_back(slot.orientation / 2);
    return parts;
  };
  for (int pass = 0; pass < kExchangePasses; ++pass) {
    bool exchanged = false;
    std::vector<std::size_t> mine = partsOf(source);
    for (std::size_t m = 0; m < mine.size(); ++m) {
      const double given = nester.ownOf(mine[m]);
      // The exchanges that move the most first.
      struct Candidate {
        double gain;
        std::size_t stick, slot;
      };
      std::vector<Candidate> candidates;
      for (std::size_t s = 0; s < sticks.size(); ++s) {
        const double room = nester.roomFor(sticks[s]);
        for (std::size_t i = 0; i < sticks[s].slots.size(); ++i) {
          const double gain = given - nester.ownOf(sticks[s].slots[i].orientation / 2);
          if (gain > kLengthTolerance && gain <= room) candidates.push_back({gain, s, i});
        }
      }
      std::sort(candidates.begin(), candidates.end(),
                [](const Candidate& a, const Candidate& b) { return a.gain > b.gain; });
      if (candidates.size() > kExchangeTries) candidates.resize(kExchangeTries);
      for (const Candidate& c : candidates) {
        std::vector<std::size_t> theirs = partsOf(sticks[c.stick]);
        const std::size_t taken = theirs[c.slot];
        theirs[c.slot] = mine[m];
        auto grown = nester.chainOf(theirs);
        if (!grown) continue;
        std::vector<std::size_t> rest = mine;
        rest[m] = taken;
        auto shrunk = nester.chainOf(rest);
        if (!shrunk) continue;
        sticks[c.stick] = std::move(*grown);
        source = std::move(*shrunk);
        mine = std::move(rest);
        exchanged = true;
        break;
      }
    }
    if (!exchanged) return;
  }
}

// Moves the source's parts into the other sticks, longest first, each where it leaves the
// least room; what stays is laid out again as short as it goes.
void MoveIntoOthers(Nester& nester, Stick& source, std::vector<Stick>& sticks) {
  std::vector<std::size_t> order(source.slots.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    return nester.extent(source.slots[a].orientation / 2) >
           nester.extent(source.slots[b].orientation / 2);
  });
  std::vector<bool> moved(source.slots.size(), false);
  for (std::size_t i : order) {
    const std::size_t part = source.slots[i].orientation / 2;
    Stick* target = nullptr;
    std::optional<Stick> best;
    for (Stick& stick : sticks) {
      if (!nester.mightTake(stick, part)) continue;
      std::optional<Stick> grown;
      if (const auto slot = nester.appended(stick, part)) {
        grown = stick;
        nester.append(*grown, *slot);
      } else {
        grown = nester.rechained(stick, part);
      }
      if (grown && (!best || grown->end - stick.end < best->end - target->end)) {
        target = &stick;
        best = std::move(grown);
      }
    }
    if (target == nullptr) continue;
    *target = std::move(*best);
    moved[i] = true;
  }
  Stick rest;
  for (std::size_t i = 0; i < source.slots.size(); ++i) {
    if (!moved[i]) nester.append(rest, source.slots[i]);
  }
  if (!rest.slots.empty()) {
    nester.compact(rest);
    if (auto chain = nester.rechained(rest, std::nullopt); chain && chain->end < rest.end) {
      rest = std::move(*chain);
    }
  }
  source = std::move(rest);
}

// Empties the emptiest stick into the others, exchanging its parts for shorter ones and
// moving them: a stick emptied is one stick fewer; one that cannot be emptied keeps the
// longest remnant.
void GatherRemnant(Nester& nester, std::vector<Stick>& sticks) {
  while (sticks.size() > 1) {
    const auto emptiest = std::min_element(
        sticks.begin(), sticks.end(), [](const Stick& a, const Stick& b) { return a.end < b.end; });
    Stick source = std::move(*emptiest);
    sticks.erase(emptiest);
    for (int round = 0; round < kGatherRounds && !source.slots.empty(); ++round) {
      const double before = source.own;
      ExchangeIntoOthers(nester, source, sticks);
      MoveIntoOthers(nester, source, sticks);
      if (source.own >= before - kLengthTolerance) break;
    }
    if (source.slots.empty()) continue;
    sticks.push_back(std::move(source));
    return;
  }
}

}  // namespace

double FirstPartStart(const StockRules& stock) {
  return stock.trim ? *stock.trim + stock.kerf : 0.0;
}

double StockTaken(const PartExtents& part, const StockRules& stock) {
  const Orientation o = OrientationOf(part, false);
  return (stock.trim ? *stock.trim - o.minReachLeft : -o.minLeft) + o.maxRight;
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
  Nester nester(parts, stock);
  std::vector<std::size_t> items;
  for (std::size_t i = 0; i < parts.size(); ++i)
    items.insert(items.end(), static_cast<std::size_t>(std::max(parts[i].quantity, 0)), i);

  std::vector<Stick> sticks = FirstFit(nester, std::move(items), progress);
  GatherRemnant(nester, sticks);

  NestPlan plan;
  plan.lowerBound = LowerBound(parts, stock);
  for (const Stick& stick : sticks) {
    NestedStick& nested = plan.sticks.emplace_back();
    for (const Slot& slot : stick.slots) {
      nested.parts.push_back(
          {slot.orientation / 2, slot.offset, slot.orientation % 2 == 1, slot.turn});
    }
    nested.end = stick.end;
    nested.remnant = std::max(0.0, stock.length - stick.reachEnd);
  }
  std::stable_sort(
      plan.sticks.begin(), plan.sticks.end(),
      [](const NestedStick& a, const NestedStick& b) { return a.remnant < b.remnant; });
  return plan;
}

}  // namespace korvex
