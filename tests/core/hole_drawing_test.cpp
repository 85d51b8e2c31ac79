#include "scene/hole_drawing.h"

#include <gtest/gtest.h>

#include <cmath>

#include "domain/computed_job.h"
#include "scene/draw_list.h"
#include "scene/job_scene.h"

namespace korvex {
namespace {

// A job with a hole draws the job without it and then the hole, in the ends' colours and
// widths: the branch's lines, the outer and inner curve on their surfaces, the path on the
// outer one, and the flat pattern in the plane z = −R.
TEST(HoleDrawing, FollowsTheEndsInTheirColoursOnTheTubesSurfaces) {
  JobParameters job = DefaultJob();
  job.cutSegments = 36;
  const ComputedJob plain = *ComputeJob(job, 180).job;
  job.holes = {{10, 0.5, 8, 2.5, 0.3, 2, HoleFit::SetOn, 0, 1}};
  const ComputedJob holed = *ComputeJob(job, 180).job;
  DrawList withoutHole, withHole;
  DrawJobScene(plain, {false, false, true}, withoutHole);
  DrawJobScene(holed, {false, false, true}, withHole);

  const auto& before = withoutHole.batches();
  const auto& after = withHole.batches();
  ASSERT_EQ(after.size(), before.size() + 5);
  const std::size_t first = before.size() - 1;  // the hole comes before the measurement line
  for (std::size_t k = 0; k < 5; ++k) {
    EXPECT_EQ(after[first + k].colour, before[1 + k].colour) << k;  // as the left end's batches
    EXPECT_EQ(after[first + k].lineWidth, before[1 + k].lineWidth) << k;
    EXPECT_EQ(after[first + k].vertices.size(), k == 0 ? 74u : 72u) << k;  // a line a step
  }
  EXPECT_EQ(after.back(), before.back());
  const struct {
    std::size_t batch;
    double radius;
  } surfaces[] = {{first + 1, 20}, {first + 2, 16}, {first + 3, 20}};
  for (const auto& [batch, radius] : surfaces) {
    for (const Vertex& v : after[batch].vertices)
      EXPECT_NEAR(std::hypot(v.y, v.z), radius, 1e-4) << batch;
  }
  for (const Vertex& v : after[first + 4].vertices)
    EXPECT_EQ(v.z, -20);
}

}  // namespace
}  // namespace korvex
