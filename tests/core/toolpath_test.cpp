// The torch's path against the geometry of the curve it cuts.
#include "toolpath/toolpath.h"

#include <gtest/gtest.h>

#include <cmath>
#include <variant>

#include "domain/end_cut.h"

namespace korvex {
namespace {

// R = 20 throughout; the tee is a 40 mm tube on one of 40 mm, square to it.
JobParameters Job(const char* shape) {
  JobParameters job = DefaultJob();
  for (EndCutParameters* end : {&job.left, &job.right}) {
    if (shape[0] == 't') *end = {true, 20, 0, end->distance, 0, 0, 0, 100, -100};
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
      // Part at +x (left end): right of travel means y grows, from point N to 0.
      const bool up = (side < 0) == (good == GoodSide::Right);
      for (std::size_t k = 0; k < p.size(); ++k) {
        EXPECT_EQ(p[k].x, cut.x[up ? 90 - k : k]);
        EXPECT_EQ(p[k].y, cut.y[up ? 90 - k : k]);
        EXPECT_TRUE(k == 0 || (up ? 1 : -1) * (p[k].y - p[k - 1].y) > 0) << k;
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

}  // namespace
}  // namespace korvex
