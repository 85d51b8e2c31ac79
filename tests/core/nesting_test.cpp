#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>
#include <random>
#include <vector>

#include "nesting/nest_parts.h"

namespace korvex {
namespace {

// Tube radius of the made-up parts (mm); every end is sampled once a degree, so a part turned by
// whole degrees keeps its samples and the checks below are exact at them.
constexpr double kRadius = 20;
constexpr int kSamples = kExtentAngles;

// An end: x along the tube at each degree.
using End = std::vector<double>;

double Radians(double degrees) {
  return degrees * std::numbers::pi / 180;
}

// A plane cut `slope` degrees from square, its furthest point `facing` degrees round the tube.
End Plane(double at, double slope, double facing) {
  End end;
  for (int i = 0; i < kSamples; ++i)
    end.push_back(at + kRadius * std::tan(Radians(slope)) * std::cos(Radians(i - facing)));
  return end;
}

// A fish mouth: the end fitted square onto a tube of radius join, its saddle points at 0 and
// 180 degrees.
End Saddle(double at, double join, double sign) {
  End end;
  for (int i = 0; i < kSamples; ++i) {
    const double s = kRadius * std::sin(Radians(i));
    end.push_back(at + sign * (join - std::sqrt(join * join - s * s)));
  }
  return end;
}

// A part made up of its ends.
struct MadeUp {
  struct {
    End left, right;
  } ends;
  int quantity = 1;
};

// The part as the nesting sees it when the torch runs one kerf wide beside its ends, square to
// the tube, on the scrap side: on both surfaces of the wall its steel is its ends, and its torch
// reaches one kerf beyond them.
std::vector<NestPart> AsCut(const std::vector<MadeUp>& parts, double kerf) {
  std::vector<NestPart> cut;
  for (const MadeUp& part : parts) {
    NestPart& nest = cut.emplace_back();
    nest.quantity = part.quantity;
    for (SurfaceExtents& surface : nest.ends.surfaces) {
      for (std::size_t d = 0; d < kSamples; ++d) {
        surface.left.steel[d] = part.ends.left[d];
        surface.left.reach[d] = part.ends.left[d] - kerf;
        surface.right.steel[d] = part.ends.right[d];
        surface.right.reach[d] = part.ends.right[d] + kerf;
      }
    }
    for (std::size_t d = 0; d < kSamples; ++d)
      nest.ends.ownLength += (part.ends.right[d] - part.ends.left[d]) / kSamples;
  }
  return cut;
}

NestPlan Nested(const std::vector<MadeUp>& parts, const StockRules& stock) {
  return NestParts(AsCut(parts, stock.kerf), stock);
}

// Where a placed part's end lies on the stick at a whole degree.
double PlacedX(const MadeUp& part, const Placement& p, bool rightEnd, int degree) {
  const auto at = [](const End& end, int d) {
    return end[static_cast<std::size_t>(((d % kSamples) + kSamples) % kSamples)];
  };
  if (!p.flipped) return p.offset + at(rightEnd ? part.ends.right : part.ends.left, degree - p.turn);
  return p.offset - at(rightEnd ? part.ends.left : part.ends.right, p.turn - degree);
}

// The plan checked from outside: every part placed its quantity of times, inside the stick
// after its start, one kerf between neighbours at every degree, and each remnant as stated.
void ExpectSound(const std::vector<MadeUp>& parts, const StockRules& stock, const NestPlan& plan) {
  std::vector<int> placed(parts.size(), 0);
  for (const NestedStick& stick : plan.sticks) {
    ASSERT_FALSE(stick.parts.empty());
    double last = -INFINITY;
    for (std::size_t i = 0; i < stick.parts.size(); ++i) {
      const Placement& p = stick.parts[i];
      ++placed[p.part];
      for (int d = 0; d < kSamples; ++d) {
        if (i == 0) {
          EXPECT_GE(PlacedX(parts[p.part], p, false, d), FirstPartStart(stock) - 1e-9);
        }
        if (i + 1 < stick.parts.size()) {
          const Placement& q = stick.parts[i + 1];
          EXPECT_GE(PlacedX(parts[q.part], q, false, d) - PlacedX(parts[p.part], p, true, d),
                    stock.kerf - 1e-9)
              << "parts " << i << " and " << i + 1 << " at " << d << " degrees";
        } else {
          last = std::max(last, PlacedX(parts[p.part], p, true, d));
        }
      }
    }
    EXPECT_LE(last, stock.length + 1e-9);
    EXPECT_NEAR(stick.end, last, 1e-9);
    EXPECT_NEAR(stick.remnant, std::max(0.0, stock.length - last - stock.kerf), 1e-9);
  }
  for (std::size_t i = 0; i < parts.size(); ++i)
    EXPECT_EQ(placed[i], parts[i].quantity) << "part " << i;
}

double LongestRemnant(const NestPlan& plan) {
  double longest = 0;
  for (const NestedStick& stick : plan.sticks)
    longest = std::max(longest, stick.remnant);
  return longest;
}

// Three parts that interlock: 700 mm from a -45-degree end to a square one, 250 mm between 45-
// degree ends a quarter turn apart, 450 mm from a square end to a 45-degree one. Square end at
// the stick's start and end, each 45-degree end facing its twin one kerf on: 1400 + 2 x 1.5.
std::vector<MadeUp> Interlocking() {
  return {{{Plane(-350, -45, 0), Plane(350, 0, 0)}, 1},
          {{Plane(-125, 45, 0), Plane(125, 45, 90)}, 1},
          {{Plane(-225, 0, 0), Plane(225, 45, 0)}, 1}};
}

// Square-cut bars of a length.
MadeUp Bar(double length, int quantity) {
  return {{Plane(-length / 2, 0, 0), Plane(length / 2, 0, 0)}, quantity};
}

struct HandCase {
  const char* name;
  std::vector<MadeUp> parts;
  StockRules stock;
  std::size_t sticks;
  double longestRemnant;
  bool proven;
};

class NestByHand : public testing::TestWithParam<HandCase> {};

TEST_P(NestByHand, UsesTheFewestSticksAndLeavesTheLongestRemnant) {
  const HandCase& c = GetParam();
  const NestPlan plan = Nested(c.parts, c.stock);
  ExpectSound(c.parts, c.stock, plan);
  EXPECT_EQ(plan.sticks.size(), c.sticks);
  EXPECT_NEAR(LongestRemnant(plan), c.longestRemnant, 2e-3);
  EXPECT_EQ(plan.provenOptimal, c.proven);
}

INSTANTIATE_TEST_SUITE_P(
    Plans, NestByHand,
    testing::Values(
        // 1403 fits 1403.5; the kerf past the last part leaves nothing.
        HandCase{"interlocking_fill_one_stick", Interlocking(), {1403.5, 1.5, {}}, 1, 0, true},
        HandCase{"interlocking_remnant", Interlocking(), {3000, 1.5, {}}, 1, 3000 - 1403 - 1.5,
                 true},
        // No chain is shorter than its own lengths and kerfs: 1403 does not fit 1402.9. Then
        // 450 + 700 with their 45-degree ends facing (1151.5), and the 250 mm part alone, from
        // -145 to 145: a remnant of 1402.9 - 290 - 1.5.
        HandCase{"interlocking_split", Interlocking(), {1402.9, 1.5, {}}, 2, 1111.4, true},
        // Five 1000 mm bars and four kerfs of 2 fit 6000, six do not: 5 + 5 + 2, and the two
        // leave 6000 - 2002 - 2.
        HandCase{"bars_exactly", {Bar(1000, 12)}, {6000, 2, {}}, 3, 3996, true},
        // Thirty bars: the lower bound of 30 x 1002 / 6002 -> 6 sticks of five.
        HandCase{"bars_by_bound", {Bar(1000, 30)}, {6000, 2, {}}, 6, 990, true},
        // Trim 10 and a kerf: parts from 13; a stick takes two of 600 (13 + 1200 + 3 = 1216),
        // not three (13 + 1800 + 6): 2 + 2 + 1, the one leaving 1300 - 613 - 3.
        HandCase{"trimmed", {Bar(600, 5)}, {1300, 3, 10.0}, 3, 684, true},
        // 3500 + 2500 fill 6000 exactly, 2500 + 1500 + 1500 leave 500; no other two sticks hold
        // them (3500 and 2500 apart leave 2500 + 1500 + 1500 + ... over 6000).
        HandCase{"exact_fill",
                 {Bar(3500, 1), Bar(2500, 2), Bar(1500, 2)},
                 {6000, 0, {}},
                 2,
                 500,
                 true},
        // No two of 3100 share 6000: thirty sticks, proven although the own lengths ask for 16.
        HandCase{"over_half_by_bound", {Bar(3100, 30)}, {6000, 0, {}}, 30, 2900, true}),
    [](const testing::TestParamInfo<HandCase>& info) { return info.param.name; });

// Long lists go through the search: every plan sound, never more sticks than plain counting of
// whole bars per stick gives, and the same plan from the same list.
TEST(NestLongList, IsSoundRepeatableAndMeetsTheBoundOfEqualBars) {
  std::vector<MadeUp> parts{{{Plane(-400, 45, 0), Plane(400, -45, 0)}, 40},
                              {{Plane(-320, 45, 0), Plane(320, 45, 0)}, 30},
                              {{Saddle(-230, 25, 1), Saddle(230, 30, -1)}, 25},
                              Bar(1000, 12)};
  const StockRules stock{6000, 1.5, 5.0};
  const NestPlan plan = Nested(parts, stock);
  ExpectSound(parts, stock, plan);
  const NestPlan again = Nested(parts, stock);
  ASSERT_EQ(again.sticks.size(), plan.sticks.size());
  for (std::size_t s = 0; s < plan.sticks.size(); ++s) {
    ASSERT_EQ(again.sticks[s].parts.size(), plan.sticks[s].parts.size());
    for (std::size_t i = 0; i < plan.sticks[s].parts.size(); ++i)
      EXPECT_EQ(again.sticks[s].parts[i].offset, plan.sticks[s].parts[i].offset);
  }
  // Own lengths 32000 + 19200 + about 11275 + 12000 and 106 kerfs in sticks of 5995 usable.
  EXPECT_EQ(plan.lowerBound, 13);
  EXPECT_GE(plan.sticks.size(), 13u);
}

// Random tiny lists against every way of sharing the parts out among sticks, every order, flip
// and whole-degree turn, written here on its own: the same fewest sticks and longest remnant.
class BruteForce {
 public:
  BruteForce(const std::vector<MadeUp>& parts, const StockRules& stock) : stock_(stock) {
    for (const MadeUp& part : parts) {
      for (int q = 0; q < part.quantity; ++q) {
        for (bool flipped : {false, true}) {
          End left = flipped ? part.ends.right : part.ends.left;
          End right = flipped ? part.ends.left : part.ends.right;
          if (flipped) {
            left = Reversed(left);
            right = Reversed(right);
          }
          ends_.push_back({left, right});
        }
      }
    }
    for (std::size_t a = 0; a < ends_.size(); ++a) {
      for (std::size_t b = 0; b < ends_.size(); ++b)
        spacings_.push_back(a / 2 == b / 2 ? INFINITY : spacing(a, b));
    }
  }

  // The fewest sticks and, with them, the longest remnant; a link may cost `slack` more.
  std::pair<int, double> best(double slack) const {
    const std::size_t n = ends_.size() / 2;
    std::vector<double> shortest(std::size_t{1} << n, INFINITY);
    for (std::size_t set = 1; set < shortest.size(); ++set)
      shortest[set] = chain(set, slack);
    std::vector<int> sticks(shortest.size(), 1 << 20);
    std::vector<double> remnant(shortest.size(), -1);
    sticks[0] = 0;
    for (std::size_t set = 1; set < shortest.size(); ++set) {
      for (std::size_t part = set; part != 0; part = (part - 1) & set) {
        if (shortest[part] > stock_.length + 1e-9 || sticks[set & ~part] >= 1 << 20) continue;
        const int count = sticks[set & ~part] + 1;
        const double left = std::max({0.0, stock_.length - shortest[part] - stock_.kerf,
                                      remnant[set & ~part]});
        if (count < sticks[set] || (count == sticks[set] && left > remnant[set])) {
          sticks[set] = count;
          remnant[set] = left;
        }
      }
    }
    return {sticks.back(), remnant.back()};
  }

 private:
  struct Ends {
    End left, right;
  };

  static End Reversed(const End& end) {
    End out(end.size());
    for (std::size_t i = 0; i < end.size(); ++i)
      out[i] = -end[(end.size() - i) % end.size()];
    return out;
  }

  // The least distance between two orientations' offsets over all whole-degree turns.
  double spacing(std::size_t a, std::size_t b) const {
    double least = INFINITY;
    for (int turn = 0; turn < kSamples; ++turn) {
      double most = -INFINITY;
      for (int d = 0; d < kSamples; ++d)
        most = std::max(most, ends_[a].right[static_cast<std::size_t>(d)] -
                                  ends_[b].left[static_cast<std::size_t>((d - turn + kSamples) % kSamples)]);
      least = std::min(least, most + stock_.kerf);
    }
    return least;
  }

  // The shortest chain of a set of parts: every order and flip.
  double chain(std::size_t set, double slack) const {
    std::vector<std::size_t> members;
    for (std::size_t i = 0; i < ends_.size() / 2; ++i) {
      if (set >> i & 1) members.push_back(i);
    }
    double best = INFINITY;
    do {
      for (std::size_t flips = 0; flips < (std::size_t{1} << members.size()); ++flips) {
        const auto o = [&](std::size_t k) { return members[k] * 2 + (flips >> k & 1); };
        double at = FirstPartStart(stock_) - *std::min_element(ends_[o(0)].left.begin(),
                                                                ends_[o(0)].left.end());
        for (std::size_t k = 1; k < members.size(); ++k)
          at += spacings_[o(k - 1) * ends_.size() + o(k)] + slack;
        const End& last = ends_[o(members.size() - 1)].right;
        best = std::min(best, at + slack + *std::max_element(last.begin(), last.end()));
      }
    } while (std::next_permutation(members.begin(), members.end()));
    return best;
  }

  StockRules stock_;
  std::vector<Ends> ends_;
  std::vector<double> spacings_;  // between every two orientations
};

TEST(NestTinyLists, MatchTheBruteForceOptimum) {
  std::mt19937 random(25);
  const auto uniform = [&](double a, double b) {
    return std::uniform_real_distribution<double>(a, b)(random);
  };
  for (int list = 0; list < 12; ++list) {
    std::vector<MadeUp> parts;
    const int count = 3 + list % 3;
    double own = 0;
    for (int i = 0; i < count; ++i) {
      const double length = uniform(150, 900);
      const auto end = [&](double at, double sign) {
        if (uniform(0, 1) < 0.3) return Saddle(at, uniform(kRadius, 2 * kRadius), sign);
        return Plane(at, (uniform(0, 1) < 0.5 ? -1 : 1) * uniform(30, 60), uniform(0, 360));
      };
      parts.push_back({{end(-length / 2, 1), end(length / 2, -1)}, 1});
      own += length;
    }
    const StockRules stock{own / uniform(1.5, 2.5) + 200, 1.5, {}};
    const NestPlan plan = Nested(parts, stock);
    ExpectSound(parts, stock, plan);
    const BruteForce brute(parts, stock);
    // Offsets are whole thousandths rounded up: at most 1 µm more per link.
    const auto [fewest, longest] = brute.best(0);
    const auto [fewestRounded, longestRounded] = brute.best(1e-3);
    EXPECT_GE(static_cast<int>(plan.sticks.size()), fewest) << "list " << list;
    EXPECT_LE(static_cast<int>(plan.sticks.size()), fewestRounded) << "list " << list;
    if (fewest == fewestRounded) {
      EXPECT_LE(LongestRemnant(plan), longest + 1e-6) << "list " << list;
      EXPECT_GE(LongestRemnant(plan), longestRounded - 1e-6) << "list " << list;
    }
    EXPECT_TRUE(plan.provenOptimal);
  }
}

}  // namespace
}  // namespace korvex
