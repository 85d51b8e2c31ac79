// A hole's torch path against the hole's own curve: the scrap lies inside the hole.
#include <gtest/gtest.h>

#include <variant>

#include "flat_polygon.h"
#include "toolpath/toolpath.h"

namespace korvex {
namespace {

// A set-on hole of bore 16 at X 30 in the default 40 x 4 tube, cut with a 1.5 mm kerf and a
// 3 mm lead-in: the torch runs 0.75 mm inside the hole's edge all round, counter-clockwise in
// the X-Y plane with the good side right (the part on the right), clockwise with it left, and
// pierces inside the hole.
TEST(HoleToolpath, KerfAndLeadInGoIntoTheHole) {
  JobParameters parameters = DefaultJob();
  parameters.holes = {{30, 0, 10, 2}};
  const ComputedJob job = *ComputeJob(parameters, 180).job;
  test::FlatPolygon edge;
  for (int j = 0; j <= parameters.cutSegments; ++j) {
    const int k = j % parameters.cutSegments;  // closed on step 0 itself
    edge.corners.push_back({job.holes[0].path.x[k], job.holes[0].path.y[k]});
  }
  for (GoodSide good : {GoodSide::Right, GoodSide::Left}) {
    const ToolpathPlan plan = PlanHoleToolpath(job, 0, {1.5, good, 3, 0, LeadShape::Line, 0, 0, 0});
    ASSERT_TRUE(std::holds_alternative<Toolpath>(plan)) << std::get<std::string>(plan);
    const Toolpath& path = std::get<Toolpath>(plan);
    double area = 0;
    for (std::size_t k = path.loopStart; k <= path.loopEnd; ++k) {
      const TorchPoint& p = path.points[k];
      EXPECT_TRUE(edge.inside({p.x, p.y})) << k;
      EXPECT_NEAR(edge.distance({p.x, p.y}), 0.75, 0.01) << k;
      if (k > path.loopStart) area += path.points[k - 1].x * p.y - p.x * path.points[k - 1].y;
    }
    EXPECT_EQ(area > 0, good == GoodSide::Right);
    EXPECT_TRUE(edge.inside({path.points[0].x, path.points[0].y}));
    EXPECT_GT(edge.distance({path.points[0].x, path.points[0].y}), 0.75);
  }
}

}  // namespace
}  // namespace korvex
