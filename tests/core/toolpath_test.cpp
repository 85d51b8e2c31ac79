// The torch's path against the geometry of the curve it cuts.
#include "toolpath/toolpath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <variant>

#include "domain/end_cut.h"

namespace korvex {
namespace {

// R = 20 throughout. A plane at α to the tube unrolls to x = d ± R·tan α·cos θ, whose least
// radius is R / tan α (3.527 mm at 80°). The 40-on-40 tee's scrap side curves least at its
// throat, radius 20 mm (ρ).
JobParameters Job(const char* shape) {
  JobParameters job = DefaultJob();
  for (EndCutParameters* end : {&job.left, &job.right}) {
    if (shape[0] == 't') *end = {true, 20, 0, end->distance, 0, 0, 0, 100, -100};
    if (shape[0] == 's') end->angle = Radians(80);
  }
  return job;
}

const EndCutParameters& End(const ComputedJob& job, int side) {
  return side < 0 ? job.parameters.left : job.parameters.right;
}

// The uncompensated curve at the unrolled y, on any turn.
double CurveX(const ComputedJob& job, int side, double y) {
  return MachinePathAt(side, End(job, side), job.parameters, kPi - y / 20).x;
}

struct Planned {
  ComputedJob job;
  Toolpath ends[2];  // left, right
};

Planned Plan(const char* shape, const ToolpathOptions& options) {
  Planned planned{*ComputeJob(Job(shape), 180).job, {}};
  for (int side : {-1, 1}) {
    const ToolpathPlan plan = PlanEndToolpath(planned.job, side, options);
    EXPECT_TRUE(std::holds_alternative<Toolpath>(plan)) << std::get<std::string>(plan);
    if (auto* path = std::get_if<Toolpath>(&plan)) planned.ends[side > 0] = *path;
  }
  return planned;
}

TEST(MachinePathAt, GivesTheComputedPointsAtTheSteps) {
  JobParameters job = Job("tee");
  job.right = {false, 20, Radians(30), 90, Radians(25), 1, 0, 100, -100};
  job.left.mode3d = 1;
  const ComputedJob computed = *ComputeJob(job, 180).job;
  for (int side : {-1, 1}) {
    const CutPoints& path = side < 0 ? computed.left.path : computed.right.path;
    for (int i = 0; i <= job.cutSegments; ++i) {
      const MachinePathPoint p = MachinePathAt(side, End(computed, side), job, StepAngle(i, 90));
      EXPECT_EQ(p.x, path.x[i]) << i;
      EXPECT_EQ(p.tilt, path.z[i]) << i;
    }
  }
}

// With the default options each end is its computed points, run with the part (toward the
// other end) right of the direction of travel; the good side left turns both.
TEST(Toolpath, DefaultsRunTheComputedPointsWithThePartOnTheGoodSide) {
  for (GoodSide good : {GoodSide::Right, GoodSide::Left}) {
    ToolpathOptions options;
    options.goodSide = good;
    const Planned planned = Plan("default", options);
    for (int side : {-1, 1}) {
      const CutPoints& cut = side < 0 ? planned.job.left.path : planned.job.right.path;
      const std::vector<TorchPoint>& p = planned.ends[side > 0].points;
      ASSERT_EQ(p.size(), 91u);
      // Part at +x (left end): right of travel means y grows.
      const double ySense = (side < 0) == (good == GoodSide::Right) ? 1 : -1;
      for (std::size_t k = 0; k < p.size(); ++k) {
        const std::size_t i = ySense > 0 ? 90 - k : k;
        EXPECT_EQ(p[k].x, cut.x[i]);
        EXPECT_EQ(p[k].y, cut.y[i]);
        if (k > 0) {
          EXPECT_GT(ySense * (p[k].y - p[k - 1].y), 0);
        }
      }
    }
    // The second end starts where the first ended: no turn back.
    EXPECT_EQ(planned.ends[0].points.back().y, planned.ends[1].points.front().y);
  }
}

// Sampled by a chord tolerance, the curve never strays more than the tolerance from the path.
TEST(Toolpath, SamplingByToleranceStaysOnTheCurve) {
  for (double tolerance : {0.02, 0.002}) {
    const Planned planned = Plan("tee", {0, GoodSide::Right, 0, 0, {}, 0, 0, tolerance});
    for (int side : {-1, 1}) {
      const std::vector<TorchPoint>& p = planned.ends[side > 0].points;
      for (std::size_t k = 1; k < p.size(); ++k) {
        const double dx = p[k].x - p[k - 1].x, dy = p[k].y - p[k - 1].y;
        for (double t = 0.1; t < 1; t += 0.2) {
          const double y = p[k - 1].y + t * dy;
          const double off =
              (CurveX(planned.job, side, y) - p[k - 1].x) * dy - (y - p[k - 1].y) * dx;
          EXPECT_LE(std::abs(off) / std::hypot(dx, dy), tolerance + 1e-9) << k;
        }
      }
    }
  }
}

struct WideKerfCase {
  const char* shape;
  double kerf;
  bool refused;
};

class WideKerf : public testing::TestWithParam<WideKerfCase> {};

// Half a kerf beyond the curve's least radius on the scrap side would loop: refused with why.
TEST_P(WideKerf, IsRefusedWithTheReason) {
  const WideKerfCase& c = GetParam();
  const ComputedJob job = *ComputeJob(Job(c.shape), 180).job;
  const ToolpathPlan plan =
      PlanEndToolpath(job, -1, {c.kerf, GoodSide::Right, 0, 0, {}, 0, 0, 0.01});
  ASSERT_EQ(std::holds_alternative<std::string>(plan), c.refused);
  if (c.refused) {
    EXPECT_NE(std::get<std::string>(plan).find("the left end: the kerf"), std::string::npos);
  }
}

INSTANTIATE_TEST_SUITE_P(Toolpath, WideKerf,
                         testing::Values(WideKerfCase{"steep", 6.9, false},
                                         WideKerfCase{"steep", 7.2, true},
                                         WideKerfCase{"tee", 39.6, false},
                                         WideKerfCase{"tee", 40.4, true}));

}  // namespace
}  // namespace korvex
