// The frame as drawn, checked in 3D against the truss written out here by hand: every drawn
// point on its member's outside, each fitted end on the outside of an earlier member at its node
// and inside none, the chords' square ends flush with the posts standing on them; and the member
// a pointer picks in a view whose projection is worked out by hand.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <map>

#include "base/pi.h"
#include "domain/computed_job.h"
#include "domain/part.h"
#include "project/frame_file.h"
#include "scene/draw_list.h"
#include "scene/frame_scene.h"
#include "temp_folder.h"

namespace korvex {
namespace {

// The truss of docs/truss: its nodes, each member's nodes and outside radius, the wall, and the
// members at each node in the order they go together.
const std::map<std::string, Vec3> kNodes = {{"B0", {0, 0, 0}},      {"B1", {1000, 0, 0}},
                                            {"B2", {2000, 0, 0}},   {"T0", {0, 0, 800}},
                                            {"T1", {1000, 0, 800}}, {"T2", {2000, 0, 800}}};
struct Member {
  const char* name;
  const char* from;
  const char* to;
  double radius;
};
const std::vector<Member> kMembers = {
    {"bottom", "B0", "B2", 30.15},     {"top", "T0", "T2", 30.15},
    {"post-left", "B0", "T0", 24.15},  {"post-middle", "B1", "T1", 24.15},
    {"post-right", "B2", "T2", 24.15}, {"brace-left", "T0", "B1", 21.2},
    {"brace-right", "B1", "T2", 21.2}};
constexpr double kWall = 3.2;
const std::map<std::string, std::vector<int>> kOrder = {{"B0", {0, 2}}, {"B1", {0, 3, 5, 6}},
                                                        {"B2", {0, 4}}, {"T0", {1, 2, 5}},
                                                        {"T1", {1, 3}}, {"T2", {1, 4, 6}}};

Vec3 Of(const Vertex& v) {
  return {v.x, v.y, v.z};
}
// Along the member's axis from its from-node, and how far from the axis.
std::pair<double, double> Cylindrical(const Vec3& p, const Member& m) {
  const Vec3 a = kNodes.at(m.from), u = Unit(kNodes.at(m.to) - a);
  const double along = Dot(p - a, u);
  return {along, Length(p - a - along * u)};
}
// The point at the same place along the axis and round it, on the inside of the wall.
Vec3 Inner(const Vec3& p, const Member& m) {
  const Vec3 a = kNodes.at(m.from), u = Unit(kNodes.at(m.to) - a);
  const Vec3 axis = a + Dot(p - a, u) * u;
  return axis + (m.radius - kWall) / m.radius * (p - axis);
}

class FrameScene : public testing::Test {
 protected:
  void SetUp() override {
    const std::string path = KORVEX_PROJECTS_FOLDER "/../docs/truss/truss.kvxf";
    const FrameReading reading = ReadFrameFile(test::ReadAll(path), path);
    ASSERT_TRUE(reading.frame) << reading.refusal;
    const FrameCut cut = CutFrame(*reading.frame);
    ASSERT_TRUE(cut.problems.empty());
    for (std::size_t m = 0; m < cut.parts.size(); ++m) {
      const JobOutcome outcome = ComputePart(cut.parts[m], 0);
      ASSERT_TRUE(outcome.job);
      outlines_.push_back(OutlineOf(cut.axes[m], *outcome.job));
    }
    DrawFrameScene(outlines_, {}, list_);
    ASSERT_EQ(list_.batches().size(), 2 * kMembers.size());
  }
  // The member's lines along its tube: a segment a step, from its left end to its right.
  const std::vector<Vertex>& along(std::size_t m) { return list_.batches()[2 * m].vertices; }

  std::vector<MemberOutline> outlines_;
  DrawList list_;
};

TEST_F(FrameScene, EveryMemberIsDrawnOnItsOutsideBetweenEndsThatFitItsNodes) {
  double worst = 0;
  for (std::size_t m = 0; m < kMembers.size(); ++m) {
    const Member& member = kMembers[m];
    for (std::size_t batch : {2 * m, 2 * m + 1}) {
      for (const Vertex& v : list_.batches()[batch].vertices)
        EXPECT_NEAR(Cylindrical(Of(v), member).second, member.radius, 0.01) << member.name;
    }
    ASSERT_EQ(along(m).size(), 2u * 90);
    for (const auto& [node, end] : {std::pair{member.from, 0}, std::pair{member.to, 1}}) {
      const std::vector<int>& order = kOrder.at(node);
      const auto self = std::find(order.begin(), order.end(), static_cast<int>(m));
      for (std::size_t i = end; i < along(m).size(); i += 2) {
        const Vec3 p = Of(along(m)[i]);
        if (self == order.begin()) {
          // First at its node: cut square, flush with the outside of the posts on it.
          const double length = Cylindrical(kNodes.at(member.to), member).first;
          EXPECT_NEAR(Cylindrical(p, member).first, end ? length + 24.15 : -24.15, 0.01)
              << member.name << " at " << node;
          continue;
        }
        double nearest = 1e9;
        for (const Vec3& at : {p, Inner(p, member)}) {
          for (auto earlier = order.begin(); earlier != self; ++earlier) {
            const Member& other = kMembers[static_cast<std::size_t>(*earlier)];
            const double outside = Cylindrical(at, other).second - other.radius;
            EXPECT_GE(outside, -0.01) << member.name << " inside " << other.name;
            nearest = std::min(nearest, std::fabs(outside));
          }
        }
        EXPECT_LE(nearest, 0.01) << member.name << " at " << node << " point " << i / 2;
        worst = std::max(worst, nearest);
      }
    }
  }
  std::printf("worst distance of a drawn fitted end from its tube: %.6f mm\n", worst);
}

// A view 1000 pixels square looking along +Y at (1000, 0, 400) from 10 m: a pixel is
// 2 · 10000 · tan 7.5° / 1000 = 2.633 mm there, so the posts at x = 0, 1000 and 2000 stand at
// pixels 120.2, 500 and 879.8, and the top chord (z = 800) at pixel row 348.1.
TEST_F(FrameScene, ThePointerPicksTheMemberItIsOn) {
  ViewGeometry view{{1000, -10000, 400, 1000, 0, 400}, {0, 0, 0}, 1000, 1000};
  const double pixel = 2 * 10000 * std::tan(7.5 * kPi / 180) / 1000;
  const auto left = PixelOf(view, {0, 0, 400});
  ASSERT_TRUE(left);
  EXPECT_NEAR((*left)[0], 500 - 1000 / pixel, 1e-6);
  EXPECT_NEAR((*left)[1], 500, 1e-6);
  struct Case {
    double x, y;
    std::optional<std::size_t> member;
  };
  for (const Case& c :
       std::vector<Case>{{500 - 1000 / pixel, 500, 2},
                         {500, 500, 3},
                         {500 + 1000 / pixel + 24.15 / pixel + 3, 500, 4},
                         {300, 500 - 400 / pixel, 1},
                         {700, 600, std::nullopt},
                         {500 - 1000 / pixel - 24.15 / pixel - 6, 500, std::nullopt}})
    EXPECT_EQ(MemberAt(outlines_, view, c.x, c.y), c.member) << c.x << ", " << c.y;
  // Seen from beyond its end the top chord hides the post below its end: the nearer is picked.
  view.look = {-10000, 0, 800, 1000, 0, 800};
  EXPECT_EQ(MemberAt(outlines_, view, 500, 500), 1u);
  // The same view with the frame moved, as the window centres it: the same member.
  view.look = {0, -10000, 0, 0, 0, 0};
  view.origin = {1000, 0, 400};
  EXPECT_EQ(MemberAt(outlines_, view, 500, 500), 3u);
}

}  // namespace
}  // namespace korvex
