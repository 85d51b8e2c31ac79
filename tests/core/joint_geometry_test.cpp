#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>

#include "base/format_number.h"
#include "domain/computed_job.h"

namespace korvex {
namespace {

// Both halves of a joint checked in 3D: a program point (x, y) lies on the tube's surface at
// the angle θ = kPi − y / R round it (the unrolled convention of the described program: y runs
// from +kPi·R at step 0 to −kPi·R at step N), and must lie on the other tube's surface.

using Vec = std::array<double, 3>;

double DistanceFromLine(Vec p, Vec origin, Vec unitDirection) {
  double squared = 0, along = 0;
  for (int k = 0; k < 3; ++k) {
    squared += (p[k] - origin[k]) * (p[k] - origin[k]);
    along += (p[k] - origin[k]) * unitDirection[k];
  }
  return std::sqrt(std::max(0.0, squared - along * along));
}

// A value as the program writes it, to three decimals.
double AsWritten(double value) {
  return std::nearbyint(value * 1000) / 1000;
}

Vec OnTube(double x, double y, double outerRadius, double radius) {
  const double theta = kPi - y / outerRadius;
  return {x, radius * std::sin(theta), radius * std::cos(theta)};
}

// 60.3 x 3.9 header; 42.4 x 3.6 branch.
constexpr double kHeaderR = 30.15, kHeaderT = 3.9, kBranchR = 21.2, kBranchT = 3.6;

struct HoleCase {
  const char* name;
  double angleDegrees, offset, turnDegrees;
  HoleFit fit;
  int compensation, mode3d;
};

JobParameters HeaderJob(const HoleCase& c) {
  JobParameters job = DefaultJob();
  job.mainRadius = kHeaderR, job.mainDiameter = 2 * kHeaderR, job.wallThickness = kHeaderT;
  job.cutSegments = 360;
  job.holes = {{12, Radians(c.turnDegrees), kBranchR, kBranchT, Radians(c.angleDegrees), c.offset,
                c.fit, c.compensation, c.mode3d}};
  return job;
}

class HoleOnBranch : public testing::TestWithParam<HoleCase> {};

// The branch's axis: out from the tube at θc = kPi − turn, leaning by the angle towards +X, and
// passing the offset beside the tube's axis along v, square to both.
TEST_P(HoleOnBranch, EveryPointLiesOnTheBranchSurface) {
  const HoleCase& c = GetParam();
  const JobParameters job = HeaderJob(c);
  const JobOutcome outcome = ComputeJob(job, 0);
  ASSERT_TRUE(outcome.job) << outcome.problems.size();
  const HoleCut& hole = outcome.job->holes.at(0);

  const double thetaC = kPi - Radians(c.turnDegrees), a = Radians(c.angleDegrees);
  // u = (0, sin θc, cos θc) out from the tube, v = (0, cos θc, −sin θc) round it.
  const Vec axisPoint{12, c.offset * std::cos(thetaC), -c.offset * std::sin(thetaC)};
  const Vec axis{std::sin(a), std::cos(a) * std::sin(thetaC), std::cos(a) * std::cos(thetaC)};
  const double rho = c.fit == HoleFit::SetIn ? kBranchR : kBranchR - kBranchT;
  const double innerR = kHeaderR - kHeaderT;
  auto distance = [&](double x, double y, double radius) {
    return DistanceFromLine(OnTube(x, y, kHeaderR, radius), axisPoint, axis);
  };

  double worst = 0;
  for (int j = 0; j <= job.cutSegments; ++j) {
    const double x = AsWritten(hole.path.x[j]), y = AsWritten(hole.path.y[j]);
    const double outerD = distance(x, y, kHeaderR);
    // The torch line through the wall: leaning z along the tube, square to it without 3D MODE.
    const double innerD =
        distance(x - kHeaderT * std::tan(Radians(AsWritten(hole.path.z[j]))), y, innerR);
    if (c.compensation == 1) {
      // Never inside the branch on either surface, and on it on one of them.
      EXPECT_GE(outerD, rho - 0.01) << j;
      EXPECT_GE(innerD, rho - 0.01) << j;
      EXPECT_NEAR(std::min(outerD, innerD), rho, 0.01) << j;
    } else {
      worst = std::max(worst, std::fabs(outerD - rho));
      if (c.mode3d == 1) worst = std::max(worst, std::fabs(innerD - rho));
    }
    worst = std::max(worst, std::fabs(distance(hole.outer.x[j], hole.outer.y[j], kHeaderR) - rho));
    worst = std::max(worst, std::fabs(distance(hole.inner.x[j], hole.inner.y[j], innerR) - rho));
  }
  EXPECT_LT(worst, 0.01);
  RecordProperty("worst_distance_mm", FormatNumber(worst, "0.000000000000"));
}

INSTANTIATE_TEST_SUITE_P(
    TeesAndLaterals, HoleOnBranch,
    testing::Values(HoleCase{"TeeOffset8", 0, 8, 0, HoleFit::SetOn, 0, 0},
                    HoleCase{"TeeOffset8In3d", 0, 8, 0, HoleFit::SetOn, 0, 1},
                    HoleCase{"Lateral45", 45, 0, 0, HoleFit::SetOn, 0, 0},
                    HoleCase{"Lateral45In3d", 45, 0, 0, HoleFit::SetOn, 0, 1},
                    HoleCase{"Lateral45Offset8Turned", -45, -8, 130, HoleFit::SetOn, 0, 1},
                    HoleCase{"SetInOffset3", 30, 3, 0, HoleFit::SetIn, 0, 1},
                    HoleCase{"SetInCompensated", 30, 3, -60, HoleFit::SetIn, 1, 0},
                    HoleCase{"TeeCompensated", 0, 8, 0, HoleFit::SetOn, 1, 0}),
    [](const auto& info) { return std::string(info.param.name); });

struct EndCase {
  const char* name;
  int side;
  double angleDegrees, offset, turnDegrees;
};

class OffsetEnd : public testing::TestWithParam<EndCase> {};

// The branch (the main tube here, 42.4 x 3.6) fitted onto the 60.3 header: the header's axis
// crosses the XZ plane through (DISTANCE, 0) leaning by ANGLE, and passes the offset beside on
// the −Y side; a turned end turns the tube under it.
TEST_P(OffsetEnd, EveryPointLiesOnTheJoiningTube) {
  const EndCase& c = GetParam();
  JobParameters job = DefaultJob();
  job.mainRadius = kBranchR, job.mainDiameter = 2 * kBranchR, job.wallThickness = kBranchT;
  job.cutSegments = 360;
  EndCutParameters& end = c.side < 0 ? job.left : job.right;
  end.cutOval = true, end.joinRadius = kHeaderR, end.offset = c.offset;
  end.angle = Radians(c.angleDegrees), end.angleDiff = Radians(c.turnDegrees);
  const JobOutcome outcome = ComputeJob(job, 0);
  ASSERT_TRUE(outcome.job);
  const EndCut& cut = c.side < 0 ? outcome.job->left : outcome.job->right;

  const double a = Radians(c.angleDegrees), turn = Radians(c.turnDegrees);
  const Vec axisPoint{end.distance, -c.offset, 0}, axis{-std::sin(a), 0, std::cos(a)};
  double worst = 0;
  for (int i = 0; i <= job.cutSegments; ++i) {
    // The turned end's surface angle is the step's angle plus the turn.
    const double theta = kPi - AsWritten(cut.path.y[i]) / kBranchR + turn;
    for (const auto& [x, r] : {std::pair{AsWritten(cut.path.x[i]), kBranchR},
                               std::pair{cut.surfaces.inner[i], kBranchR - kBranchT}}) {
      const Vec p{x, r * std::sin(theta), r * std::cos(theta)};
      worst = std::max(worst, std::fabs(DistanceFromLine(p, axisPoint, axis) - kHeaderR));
    }
  }
  EXPECT_LT(worst, 0.01);
  RecordProperty("worst_distance_mm", FormatNumber(worst, "0.000000000000"));
}

INSTANTIATE_TEST_SUITE_P(BothEnds, OffsetEnd,
                         testing::Values(EndCase{"LeftTee", -1, 0, 8, 0},
                                         EndCase{"RightTee", 1, 0, 8, 0},
                                         EndCase{"LeftLateral", -1, 45, -8, 0},
                                         EndCase{"RightLateralTurned", 1, -45, 8, 30}),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvex
