#include "domain/end_cut.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

#include "domain/step_angles.h"
#include "scene/draw_list.h"
#include "scene/end_cut_drawing.h"

namespace korvex {
namespace {

// DefaultJob(): R = 20, T = 4, N = 90, ρ = 20, α = 45°, d = ∓100.

struct EndRun {
  CutSurfaces surfaces;
  CutPoints cut;
  DrawList list;
};

EndRun RunEnd(const JobParameters& job, const EndCutParameters& end, int side,
              bool displayCut = false) {
  StepAngles steps;
  steps.compute(job.cutSegments, 0);
  const EndCut computed = ComputeEndCut(side, end, job, steps);
  EndRun run{computed.surfaces, computed.path, {}};
  DrawEndCut(end, computed, job, steps, displayCut, run.list);
  return run;
}

struct SurfaceCase {
  const char* name;
  bool cutOval;
  int side;
  double outer0, inner0, outer45, inner45;
};

class DefaultSurfaces : public testing::TestWithParam<SurfaceCase> {};

TEST_P(DefaultSurfaces, MatchTheKnownValues) {
  const SurfaceCase& c = GetParam();
  JobParameters job = DefaultJob();
  EndCutParameters& end = c.side < 0 ? job.left : job.right;
  end.cutOval = c.cutOval;
  const EndRun run = RunEnd(job, end, c.side);
  EXPECT_NEAR(run.surfaces.outer[0], c.outer0, 5e-5);
  EXPECT_NEAR(run.surfaces.inner[0], c.inner0, 5e-5);
  EXPECT_NEAR(run.surfaces.outer[45], c.outer45, 5e-5);
  EXPECT_NEAR(run.surfaces.inner[45], c.inner45, 5e-5);
}

INSTANTIATE_TEST_SUITE_P(
    BothVariantsBothEnds, DefaultSurfaces,
    testing::Values(SurfaceCase{"TubeJointLeft", true, -1, -91.7157, -87.7157, -51.7157, -55.7157},
                    SurfaceCase{"TubeJointRight", true, 1, 51.7157, 55.7157, 91.7157, 87.7157},
                    SurfaceCase{"PlaneLeft", false, -1, -120, -116, -80, -84},
                    SurfaceCase{"PlaneRight", false, 1, 80, 84, 120, 116}),
    [](const auto& info) { return std::string(info.param.name); });

// The default 45-degree plane cuts with compensation, the part placed about X = 0 and off it:
// at the seam and half-way round, the torch keeps the wall value nearer the part's middle
// (outer values d -+ 20, inner d -+ 16, worked out by hand from the cutting plane).
struct CompensationCase {
  const char* name;
  double leftDistance, rightDistance;
  int side;
  double x0, x45;
};

class CompensationKeepsTheShorterWall : public testing::TestWithParam<CompensationCase> {};

TEST_P(CompensationKeepsTheShorterWall, OnBothSidesOfTheMiddle) {
  const CompensationCase& c = GetParam();
  JobParameters job = DefaultJob();
  job.left.distance = c.leftDistance;
  job.right.distance = c.rightDistance;
  EndCutParameters& end = c.side < 0 ? job.left : job.right;
  end.compensation = 1;
  const EndRun run = RunEnd(job, end, c.side);
  EXPECT_NEAR(run.cut.x[0], c.x0, 1e-9);
  EXPECT_NEAR(run.cut.x[45], c.x45, 1e-9);
  for (int i = 0; i <= 90; ++i)
    EXPECT_EQ(run.cut.z[i], 0);
}

INSTANTIATE_TEST_SUITE_P(
    CentredAndOffCentre, CompensationKeepsTheShorterWall,
    testing::Values(CompensationCase{"CentredLeft", -100, 100, -1, -116, -80},
                    CompensationCase{"CentredRight", -100, 100, 1, 80, 116},
                    CompensationCase{"OffCentreLeft", 100, 400, -1, 84, 120},
                    CompensationCase{"OffCentreRight", 100, 400, 1, 380, 416},
                    CompensationCase{"NegativeLeft", -400, -100, -1, -416, -380},
                    CompensationCase{"NegativeRight", -400, -100, 1, -120, -84}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(EndCut, Mode3dTiltsTheTorchAndIgnoresCompensation) {
  for (int compensation : {0, 1}) {
    JobParameters job = DefaultJob();
    job.left.mode3d = 1;
    job.left.compensation = compensation;
    const EndRun run = RunEnd(job, job.left, -1);
    EXPECT_NEAR(run.cut.z[0], -45, 1e-9);
    EXPECT_NEAR(run.cut.z[45], 45, 1e-9);
    EXPECT_NEAR(run.cut.x[0], -120, 1e-9);
  }
}

TEST(EndCut, UnrolledPositionRunsFromPlusToMinusPiR) {
  for (bool cutOval : {false, true}) {
    for (int side : {-1, 1}) {
      JobParameters job = DefaultJob();
      EndCutParameters& end = side < 0 ? job.left : job.right;
      end.cutOval = cutOval;
      const EndRun run = RunEnd(job, end, side);
      EXPECT_NEAR(run.cut.y[0], 62.8319, 5e-5);
      EXPECT_NEAR(run.cut.y[45], 0, 1e-12);
      EXPECT_NEAR(run.cut.y[90], -62.8319, 5e-5);
    }
  }
}

TEST(EndCut, UnrolledPositionUsesHalfOfAnOddCountAsARealNumber) {
  JobParameters job = DefaultJob();
  job.cutSegments = 91;
  const EndRun run = RunEnd(job, job.left, -1);
  EXPECT_DOUBLE_EQ(run.cut.y[0], 20 * 45.5 * 2 * kPi / 91);
}

TEST(EndCut, TubeJointAtRightAnglesMeetsAtTheJoiningTubesSide) {
  JobParameters job = DefaultJob();
  job.left.cutOval = true;
  job.left.angle = 0;
  const EndRun run = RunEnd(job, job.left, -1);
  EXPECT_NEAR(run.surfaces.outer[0], -80, 1e-9);
  EXPECT_NEAR(run.surfaces.inner[0], -80, 1e-9);
  EXPECT_NEAR(run.cut.x[0], -80, 1e-9);
}

TEST(EndCut, SquarePlaneCutAtAngleZero) {
  JobParameters job = DefaultJob();
  job.left.angle = 0;
  job.left.mode3d = 1;
  const EndRun run = RunEnd(job, job.left, -1);
  for (int i = 0; i <= 90; ++i) {
    EXPECT_NEAR(run.cut.x[i], -100, 1e-9);
    EXPECT_NEAR(run.cut.z[i], 0, 1e-9);
  }
}

TEST(EndCut, QuarterTurnRotatesThePlaneCut) {
  JobParameters job = DefaultJob();
  job.left.angleDiff = Radians(90);
  const EndRun run = RunEnd(job, job.left, -1);
  for (int i = 0; i <= 90; ++i) {
    const double thetaDrawn = 2.0 * i * kPi / 90;
    EXPECT_NEAR(run.surfaces.outer[i], -100 + 20 * std::sin(thetaDrawn) * std::tan(Radians(45)),
                1e-9)
        << i;
  }
}

TEST(EndCut, LastStepClosesTheLoop) {
  for (bool cutOval : {false, true}) {
    JobParameters job = DefaultJob();
    job.left.cutOval = cutOval;
    job.left.angleDiff = Radians(33);
    const EndRun run = RunEnd(job, job.left, -1);
    EXPECT_NEAR(run.cut.x[90], run.cut.x[0], 1e-9);
  }
}

TEST(EndCut, EqualDiameterTubeJointStaysFinite) {
  // sin θ = 1 at step N/4 makes s = 1 exactly or a rounding step beyond it.
  for (int n : {4, 8, 36, 100, 1000}) {
    JobParameters job = DefaultJob();
    job.cutSegments = n;
    job.mainRadius = job.left.joinRadius = 0.1 * 3;
    job.left.cutOval = true;
    job.left.mode3d = 1;
    job.wallThickness = 0.1;
    const EndRun run = RunEnd(job, job.left, -1);
    for (int i = 0; i <= n; ++i)
      ASSERT_TRUE(std::isfinite(run.cut.x[i]) && std::isfinite(run.cut.z[i]));
  }
}

// Drawing: colours, widths and the order of the primitives.
TEST(EndCut, RecordsBodyCurvesPathAndPattern) {
  JobParameters job = DefaultJob();
  const EndRun run = RunEnd(job, job.left, -1, /*displayCut=*/true);
  const auto& batches = run.list.batches();
  ASSERT_EQ(batches.size(), 5u);
  const Rgba green{0, 1, 0, 1}, cyan{0, 1, 1, 1}, red{1, 0, 0, 1}, black{0, 0, 0, 1};
  const Rgba colours[] = {green, cyan, cyan, red, black};
  const float widths[] = {1, 2, 2, 5, 1};
  const std::size_t segments[] = {20, 90, 90, 90, 90};
  for (std::size_t b = 0; b < 5; ++b) {
    EXPECT_EQ(batches[b].colour, colours[b]) << b;
    EXPECT_EQ(batches[b].lineWidth, widths[b]) << b;
    EXPECT_EQ(batches[b].vertices.size(), 2 * segments[b]) << b;
  }
  // Outer curve step 0 lies on top of the tube, the flat pattern under it at z = -R.
  EXPECT_EQ(batches[1].vertices[0], (Vertex{-120, 0, 20}));
  EXPECT_EQ(batches[2].vertices[0], (Vertex{-116, 0, 16}));
  EXPECT_EQ(batches[4].vertices[0].z, -20.0f);
  EXPECT_FLOAT_EQ(batches[4].vertices[0].y, static_cast<float>(run.cut.y[0]));
}

TEST(EndCut, TubeJointBodyHasOneGeneratorPerStep) {
  JobParameters job = DefaultJob();
  job.left.cutOval = true;
  const EndRun run = RunEnd(job, job.left, -1, true);
  ASSERT_EQ(run.list.batches()[0].vertices.size(), 2u * 91);
  // The generator at ψ = 0 runs along the joint axis, offset by ρ along (cos α, 0, sin α).
  const Vertex first = run.list.batches()[0].vertices[0];
  const double a = Radians(45);
  EXPECT_FLOAT_EQ(first.x, static_cast<float>(20 * std::cos(a) - 100 * std::sin(a) - 100));
  EXPECT_FLOAT_EQ(first.z, static_cast<float>(20 * std::sin(a) + 100 * std::cos(a)));
}

TEST(EndCut, WithoutDisplayCutOnlyTheBodyIsMissing) {
  JobParameters job = DefaultJob();
  const EndRun with = RunEnd(job, job.left, -1, true);
  const EndRun without = RunEnd(job, job.left, -1, false);
  EXPECT_EQ(with.cut.x, without.cut.x);
  ASSERT_EQ(without.list.batches().size(), 4u);
  for (std::size_t b = 0; b < 4; ++b) {
    EXPECT_EQ(without.list.batches()[b], with.list.batches()[b + 1]);
  }
}

// Geometric truth on random valid jobs.
class RandomJobs : public testing::Test {
 protected:
  std::mt19937_64 random{20141207};
  double Uniform(double low, double high) {
    return std::uniform_real_distribution<double>(low, high)(random);
  }

  JobParameters RandomJob(bool cutOval) {
    JobParameters job = DefaultJob();
    job.cutSegments = std::uniform_int_distribution<int>(1, 1000)(random);
    job.mainRadius = Uniform(1, 200);
    job.wallThickness = Uniform(0.1, job.mainRadius * 0.9);
    for (EndCutParameters* end : {&job.left, &job.right}) {
      end->cutOval = cutOval;
      end->joinRadius = job.mainRadius * Uniform(1, 4);
      end->angle = Radians(Uniform(-75, 75));
      end->angleDiff = Radians(Uniform(-360, 360));
      end->distance = Uniform(-2000, 2000);
    }
    return job;
  }
};

// Distance of (x, r sin θ, r cos θ) from the joint axis through (d, 0, 0) along (-sin α, 0, cos α).
double DistanceToJointAxis(const EndCutParameters& end, double x, double r, double theta) {
  const double px = x - end.distance, py = r * std::sin(theta), pz = r * std::cos(theta);
  const double ux = -std::sin(end.angle), uz = std::cos(end.angle);
  const double along = px * ux + pz * uz;
  const double dx = px - along * ux, dz = pz - along * uz;
  return std::sqrt(dx * dx + py * py + dz * dz);
}

TEST_F(RandomJobs, TubeJointPointsLieOnTheJoiningTube) {
  for (int trial = 0; trial < 200; ++trial) {
    const JobParameters job = RandomJob(true);
    for (int side : {-1, 1}) {
      const EndCutParameters& end = side < 0 ? job.left : job.right;
      const EndRun run = RunEnd(job, end, side);
      const double inner = job.mainRadius - job.wallThickness;
      for (int i = 0; i <= job.cutSegments; ++i) {
        const double theta = 2.0 * i * kPi / job.cutSegments + end.angleDiff;
        ASSERT_NEAR(DistanceToJointAxis(end, run.surfaces.outer[i], job.mainRadius, theta),
                    end.joinRadius, 1e-9)
            << "trial " << trial << " step " << i;
        ASSERT_NEAR(DistanceToJointAxis(end, run.surfaces.inner[i], inner, theta), end.joinRadius,
                    1e-9)
            << "trial " << trial << " step " << i;
      }
    }
  }
}

TEST_F(RandomJobs, PlanePointsLieOnTheCuttingPlane) {
  for (int trial = 0; trial < 200; ++trial) {
    const JobParameters job = RandomJob(false);
    const EndRun run = RunEnd(job, job.left, -1);
    const EndCutParameters& end = job.left;
    for (int i = 0; i <= job.cutSegments; ++i) {
      const double theta = 2.0 * i * kPi / job.cutSegments + end.angleDiff;
      // The plane holds the joint axis and the Y direction: its normal is (cos α, 0, sin α).
      const double offset = (run.surfaces.outer[i] - end.distance) * std::cos(end.angle) +
                            job.mainRadius * std::cos(theta) * std::sin(end.angle);
      ASSERT_NEAR(offset, 0, 1e-9) << "trial " << trial << " step " << i;
    }
  }
}

TEST_F(RandomJobs, LastPointEqualsTheFirst) {
  for (int trial = 0; trial < 200; ++trial) {
    const JobParameters job = RandomJob(trial % 2 == 0);
    const EndRun run = RunEnd(job, job.right, 1);
    ASSERT_NEAR(run.cut.x[job.cutSegments], run.cut.x[0], 1e-9) << trial;
  }
}

}  // namespace
}  // namespace korvex
