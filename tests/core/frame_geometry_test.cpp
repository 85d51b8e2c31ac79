#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "base/format_number.h"
#include "domain/computed_job.h"
#include "domain/frame_cuts.h"

namespace korvex {
namespace {

// Frames checked in 3D: every program point of every fitted end, mapped into the frame, must
// lie on the outside of one of the members it is fitted against and inside none of them. The
// members are infinite cylinders written here from the nodes, and the order at each node is
// written out by hand.

using P = std::array<double, 3>;

double Dist(P a, P b) {
  return std::hypot(a[0] - b[0], a[1] - b[1], a[2] - b[2]);
}

// How far p lies outside the cylinder of radius r round the line through a and b.
double OutsideOf(P p, P a, P b, double r) {
  const P u{b[0] - a[0], b[1] - a[1], b[2] - a[2]};
  const double len = Dist(a, b);
  const P w{p[0] - a[0], p[1] - a[1], p[2] - a[2]};
  const double along = (w[0] * u[0] + w[1] * u[1] + w[2] * u[2]) / len;
  const double squared = w[0] * w[0] + w[1] * w[1] + w[2] * w[2] - along * along;
  return std::sqrt(std::max(0.0, squared)) - r;
}

double AsWritten(double value) {
  return std::nearbyint(value * 1000) / 1000;
}

struct Sketch {
  std::map<std::string, double> tubeDiameter;
  std::vector<std::pair<std::string, P>> nodes;
  struct Line {
    std::string name, from, to, tube;
  };
  std::vector<Line> members;
  // Per node, the members there in the order they go together.
  std::map<std::string, std::vector<std::string>> order;

  std::size_t node(const std::string& name) const {
    for (std::size_t k = 0; k < nodes.size(); ++k)
      if (nodes[k].first == name) return k;
    ADD_FAILURE() << name;
    return 0;
  }
  std::size_t member(const std::string& name) const {
    for (std::size_t k = 0; k < members.size(); ++k)
      if (members[k].name == name) return k;
    ADD_FAILURE() << name;
    return 0;
  }
  P at(const std::string& node) const { return nodes[this->node(node)].second; }

  Frame frame() const {
    Frame f;
    f.name = "sketch";
    f.segments = 90;
    std::vector<std::string> tubes;
    for (const auto& [name, diameter] : tubeDiameter) {
      f.tubes.push_back({name, diameter, 3.2, 0});
      tubes.push_back(name);
    }
    for (const auto& [name, at] : nodes)
      f.nodes.push_back({name, {at[0], at[1], at[2]}, 0});
    for (const Line& line : members) {
      const auto tube = std::find(tubes.begin(), tubes.end(), line.tube) - tubes.begin();
      f.members.push_back(
          {line.name, node(line.from), node(line.to), static_cast<std::size_t>(tube), 0});
    }
    return f;
  }
};

// A truss 3 m long and 0.8 m high: chords through their nodes, posts, a K-joint of two braces
// at each chord, four members at B1, and a strut leaving the plane at B2 whose far end is free.
Sketch Truss() {
  Sketch s;
  s.tubeDiameter = {{"chord", 60.3}, {"post", 48.3}, {"brace", 42.4}};
  s.nodes = {{"B0", {0, 0, 0}},      {"B1", {1000, 0, 0}},   {"B2", {2000, 0, 0}},
             {"B3", {3000, 0, 0}},   {"T0", {0, 0, 800}},    {"T1", {1000, 0, 800}},
             {"T2", {2000, 0, 800}}, {"T3", {3000, 0, 800}}, {"S", {2000, 600, 400}}};
  s.members = {{"bottom", "B0", "B3", "chord"}, {"top", "T0", "T3", "chord"},
               {"post0", "B0", "T0", "post"},   {"post1", "B1", "T1", "post"},
               {"post3", "B3", "T3", "post"},   {"d1", "T0", "B1", "brace"},
               {"d2", "B1", "T2", "brace"},     {"d3", "T2", "B3", "brace"},
               {"strut", "B2", "S", "brace"}};
  s.order = {{"B0", {"bottom", "post0"}},
             {"B1", {"bottom", "post1", "d1", "d2"}},
             {"B2", {"bottom", "strut"}},
             {"B3", {"bottom", "post3", "d3"}},
             {"T0", {"top", "post0", "d1"}},
             {"T1", {"top", "post1"}},
             {"T2", {"top", "d2", "d3"}},
             {"T3", {"top", "post3"}},
             {"S", {"strut"}}};
  return s;
}

// A node of a space frame where four tubes come in from different planes onto a post.
Sketch Cluster() {
  Sketch s;
  s.tubeDiameter = {{"post", 60.3}, {"rail", 48.3}, {"stay", 42.4}};
  s.nodes = {{"N", {0, 0, 500}},      {"foot", {0, 0, 0}},     {"head", {0, 0, 1000}},
             {"E", {700, 0, 500}},    {"W", {-600, 100, 300}}, {"Q", {200, 600, 900}},
             {"R", {-300, -500, 800}}};
  s.members = {{"post", "foot", "head", "post"},
               {"east", "N", "E", "rail"},
               {"west", "W", "N", "rail"},
               {"up", "N", "Q", "stay"},
               {"back", "R", "N", "stay"}};
  s.order = {{"N", {"post", "east", "west", "up", "back"}}};
  return s;
}

struct Worst {
  double distance = 0;
  int points = 0;
};

void CheckEveryFittedEnd(const Sketch& s, Worst& worst) {
  const Frame frame = s.frame();
  const FrameCut cut = CutFrame(frame);
  ASSERT_TRUE(cut.problems.empty()) << static_cast<int>(cut.problems[0].kind);
  for (const auto& [node, names] : s.order) {
    std::vector<std::size_t> expected;
    for (const std::string& name : names)
      expected.push_back(s.member(name));
    EXPECT_EQ(cut.nodes[s.node(node)].members, expected) << node;
  }
  for (std::size_t m = 0; m < s.members.size(); ++m) {
    const Sketch::Line& line = s.members[m];
    const P a = s.at(line.from), b = s.at(line.to);
    const MemberAxes& axes = cut.axes[m];
    // The part lies between its nodes, along the member, on axes square to each other.
    for (int k = 0; k < 3; ++k) {
      EXPECT_NEAR(axes.middle[k], (a[k] + b[k]) / 2, 1e-9);
      EXPECT_NEAR(axes.along[k], (b[k] - a[k]) / Dist(a, b), 1e-12);
    }
    const P seam{axes.seam[0], axes.seam[1], axes.seam[2]};
    const P side{axes.side[0], axes.side[1], axes.side[2]};
    EXPECT_NEAR(Dist(seam, {0, 0, 0}), 1, 1e-12);
    const P cross{seam[1] * axes.along[2] - seam[2] * axes.along[1],
                  seam[2] * axes.along[0] - seam[0] * axes.along[2],
                  seam[0] * axes.along[1] - seam[1] * axes.along[0]};
    EXPECT_NEAR(Dist(cross, side), 0, 1e-12);

    const JobOutcome outcome = ComputePart(cut.parts[m], 0);
    ASSERT_TRUE(outcome.job) << line.name;
    const double R = s.tubeDiameter.at(line.tube) / 2, T = 3.2;
    auto at = [&](double x, double theta, double r) {
      P p;
      for (int k = 0; k < 3; ++k) {
        p[k] = axes.middle[k] + x * axes.along[k] +
               r * (std::sin(theta) * side[k] + std::cos(theta) * seam[k]);
      }
      return p;
    };
    const JobParameters& job = outcome.job->parameters;
    for (const auto& [node, path, side] : {std::tuple{line.from, &outcome.job->left.path, -1},
                                           std::tuple{line.to, &outcome.job->right.path, 1}}) {
      if (!s.order.contains(node)) continue;  // a free end
      const std::string nodeName = node;  // a structured binding no lambda may name in clang 14
      const std::vector<std::string>& here = s.order.at(node);
      const auto self = std::find(here.begin(), here.end(), line.name);
      if (self == here.begin()) continue;  // first at its node: cut square
      // The torch line through the wall at x, θ: outside every earlier member, on one of them.
      const auto check = [&](double x, double theta, const char* what, int i) {
        double nearest = 1e9;
        for (const double r : {R, R - T}) {
          const P p = at(x, theta, r);
          for (auto earlier = here.begin(); earlier != self; ++earlier) {
            const Sketch::Line& other = s.members[s.member(*earlier)];
            const double outside =
                OutsideOf(p, s.at(other.from), s.at(other.to), s.tubeDiameter.at(other.tube) / 2);
            EXPECT_GE(outside, -0.01) << line.name << " inside " << other.name << what << i;
            nearest = std::min(nearest, std::fabs(outside));
          }
        }
        EXPECT_LE(nearest, 0.01) << line.name << " at " << nodeName << what << i;
        return nearest;
      };
      for (int i = 0; i <= 90; ++i) {
        const double theta = kPi - AsWritten(path->y[i]) / R;
        worst.distance = std::max(worst.distance, check(AsWritten(path->x[i]), theta, " step ", i));
        ++worst.points;
        // Between the steps too, where a toolpath samples the end.
        const double between = (i + 0.5) * 2 * kPi / 90;
        check(MachinePathAt(side, side < 0 ? job.left : job.right, job, between).x, between,
              " half step ", i);
      }
    }
  }
}

TEST(FrameCuts, EveryFittedEndLiesOnAnEarlierMemberAndInsideNone) {
  Worst worst;
  CheckEveryFittedEnd(Truss(), worst);
  CheckEveryFittedEnd(Cluster(), worst);
  EXPECT_GT(worst.points, 1000);
  RecordProperty("worst_distance_mm", FormatNumber(worst.distance, "0.000000000000"));
  std::printf("worst 3D distance over %d program points: %.6f mm\n", worst.points, worst.distance);
}

TEST(FrameCuts, FirstAtANodeIsCutSquareFlushWithTheTubesFittedOntoIt) {
  const Sketch s = Truss();
  const FrameCut cut = CutFrame(s.frame());
  ASSERT_TRUE(cut.problems.empty());
  // The chords end at 1500 mm from their middles; the square post (48.3) stands on them, so
  // their ends reach its outside, 24.15 mm further.
  const Part& bottom = cut.parts[s.member("bottom")];
  EXPECT_FALSE(bottom.left.oval);
  EXPECT_NEAR(bottom.left.distance, -1524.15, 1e-6);
  EXPECT_NEAR(bottom.right.distance, 1524.15, 1e-6);
  EXPECT_NEAR(cut.parts[s.member("top")].left.distance, -1524.15, 1e-6);
  // Both chords reach a post's outside at either end; every post stands square on two chords;
  // each brace meets its own cluster.
  EXPECT_EQ(SameParts(cut), (std::vector<std::size_t>{0, 0, 2, 2, 2, 5, 6, 7, 8}));
  // The strut's far end meets nothing: cut square at its node, and said.
  ASSERT_EQ(cut.freeEnds.size(), 1u);
  EXPECT_EQ(cut.freeEnds[0].member, s.member("strut"));
  EXPECT_EQ(cut.freeEnds[0].node, s.node("S"));
  EXPECT_NEAR(cut.parts[s.member("strut")].right.distance, Dist({2000, 0, 0}, {2000, 600, 400}) / 2,
              1e-6);
}

// A branch square to a header through its node is today's fish-mouth, to the written digit.
TEST(FrameCuts, OneJoiningTubeIsTodaysFishMouth) {
  Sketch s;
  s.tubeDiameter = {{"header", 60.3}, {"branch", 42.4}};
  s.nodes = {{"a", {-400, 0, 0}}, {"b", {400, 0, 0}}, {"n", {100, 0, 0}}, {"top", {100, 300, 500}}};
  s.members = {{"header", "a", "b", "header"}, {"branch", "n", "top", "branch"}};
  const FrameCut cut = CutFrame(s.frame());
  ASSERT_TRUE(cut.problems.empty());
  Part expected;
  expected.diameter = 42.4, expected.wall = 3.2, expected.segments = 90;
  expected.angleLetter = "A";
  const double half = Dist({100, 0, 0}, {100, 300, 500}) / 2;
  expected.left = {-half, 60.3, 0, 0, true, true, false, 0};
  expected.right = {half, 0, 0, 0, false, false, false, 0};
  const JobOutcome want = ComputePart(expected, 0);
  const JobOutcome got = ComputePart(cut.parts[1], 0);
  ASSERT_TRUE(want.job && got.job);
  for (int i = 0; i <= 90; ++i) {
    EXPECT_EQ(AsWritten(got.job->left.path.x[i]), AsWritten(want.job->left.path.x[i])) << i;
    EXPECT_EQ(AsWritten(got.job->left.path.y[i]), AsWritten(want.job->left.path.y[i])) << i;
  }
}

}  // namespace
}  // namespace korvex
