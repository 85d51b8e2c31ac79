#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "app/part_loading.h"
#include "app/workspace.h"
#include "base/format_number.h"
#include "branch_geometry.h"
#include "domain/computed_job.h"

namespace korvex {
namespace {

// Both halves of a joint checked in 3D: a program point (x, y) lies on the tube's surface at
// θ = kPi − y / R, and its torch line through the wall is checked against the other tube's
// surface at five depths: the surfaces and three between.

using test::AsWritten;
using test::Branch;
using test::ProgramPoint;

constexpr double kTolerance = 0.05;  // mm, beyond rounding and chords
constexpr int kDepths = 5;

// At each depth from the outer surface in: the steel left inside the outline, the cut beyond
// it; and how far the cut on the outer surface lies beyond the branch's outside.
struct Fit {
  double steel[kDepths], overcut[kDepths], uncovered = -1e9;
  double worst(const double (&at)[kDepths]) const { return *std::max_element(at, at + kDepths); }
};

Fit MeasureHole(const JobParameters& job, const HoleParameters& hole, const CutPoints& path) {
  const double outer = job.mainRadius;
  const Branch branch = Branch::Make(hole.at, hole.turn, hole.angle, hole.offset);
  std::vector<ProgramPoint> program;
  for (int j = 0; j <= job.cutSegments; ++j)
    program.push_back({AsWritten(path.x[j]), AsWritten(path.y[j]), AsWritten(path.z[j])});
  Fit fit;
  for (int k = 0; k < kDepths; ++k) {
    const double r = outer - job.wallThickness * k / (kDepths - 1);
    const double rho = hole.branchRadius - (hole.fit == HoleFit::SetIn ? 0 : hole.branchWall);
    const test::FlatPolygon outline = branch.outline(rho, r, kPi - hole.turn);
    const test::FlatPolygon cut = test::CutAt(program, outer, r);
    fit.steel[k] = test::WorstOutside(outline, cut);
    fit.overcut[k] = test::WorstOutside(cut, outline);
  }
  for (const ProgramPoint& p : program) {
    const double off = branch.distance(test::TorchAt(p, outer, outer)) - hole.branchRadius;
    fit.uncovered = std::max(fit.uncovered, off);
  }
  return fit;
}

// A 100 x 5 header and a 30 x 3 branch (bore 12, outside 15) 12 mm along, its axis beside the
// header's by 0, 6 (within the hole's radius) or 27 (beyond it); below 0 also turned 130°.
struct Joint {
  double angleDegrees, offset;
  HoleFit fit;
};

// Square to the tube the torch cuts the outer surface's curve; COMPENSATION MODE and 3D MODE
// leave no steel in the outline anywhere in the wall, 3D MODE cutting no more beyond it than
// COMPENSATION MODE and keeping a set-on hole under the branch's outside. A torch that leans
// only along the tube cuts the outer surface wherever it cuts the wall: where the bore reaches
// farther round on the inner surface than the outside does on the outer one, 3D MODE is refused.
class HoleThroughTheWall : public testing::TestWithParam<Joint> {};

TEST_P(HoleThroughTheWall, LeavesNoSteelInTheOutline) {
  const Joint& c = GetParam();
  const double side = std::fabs(c.offset);
  const bool uncoverable =
      c.fit == HoleFit::SetOn && 50 * (side + 12) / 45 > side + 15 + kTolerance;
  JobParameters job = DefaultJob();
  job.mainRadius = 50, job.mainDiameter = 100, job.wallThickness = 5, job.cutSegments = 360;
  double compensatedOvercut = 0;
  for (const char* mode : {"plain", "compensation", "tilted"}) {
    job.holes = {{12, Radians(c.offset < 0 ? 130 : 0), 15, 3, Radians(c.angleDegrees), c.offset,
                  c.fit, mode[0] == 'c', mode[0] == 't'}};
    const JobOutcome outcome = ComputeJob(job, 0);
    ASSERT_EQ(!outcome.job, mode[0] == 't' && uncoverable) << mode;
    if (!outcome.job) continue;
    const Fit fit = MeasureHole(job, job.holes[0], outcome.job->holes[0].path);
    RecordProperty(mode, FormatNumber(fit.worst(fit.steel), "0.000") + " " +
                             FormatNumber(fit.worst(fit.overcut), "0.000") + " " +
                             FormatNumber(fit.steel[0], "0.000") + " " +
                             FormatNumber(fit.overcut[0], "0.000"));
    if (mode[0] == 'p') {
      EXPECT_LT(std::max(fit.steel[0], fit.overcut[0]), kTolerance);
      continue;
    }
    EXPECT_LT(fit.worst(fit.steel), kTolerance) << mode;
    if (mode[0] == 'c') compensatedOvercut = fit.worst(fit.overcut);
    if (mode[0] != 't') continue;
    EXPECT_LT(fit.worst(fit.overcut), compensatedOvercut + kTolerance);
    EXPECT_LT(c.fit == HoleFit::SetOn ? fit.uncovered : 0, kTolerance);
  }
}

std::vector<Joint> Joints() {
  std::vector<Joint> joints;
  for (const HoleFit fit : {HoleFit::SetOn, HoleFit::SetIn}) {
    for (const double angle : {0, 30, 60}) {
      for (const double offset : {0, 6, -6, 27, -27})
        joints.push_back({angle, offset, fit});
    }
  }
  return joints;
}

INSTANTIATE_TEST_SUITE_P(TeesAndLaterals, HoleThroughTheWall, testing::ValuesIn(Joints()),
                         [](const auto& info) {
                           const Joint& j = info.param;
                           return std::string(j.fit == HoleFit::SetOn ? "SetOn" : "SetIn") +
                                  std::to_string(static_cast<int>(j.angleDegrees)) + "deg" +
                                  (j.offset < 0 ? "Minus" : "") +
                                  std::to_string(static_cast<int>(std::fabs(j.offset)));
                         });

// The sample parts: the headers' holes leave no steel where their modes promise none and stay
// under their branches, and each branch's fitted end stays outside its header through the wall.
TEST(SampleJoints, HolesAreClearAndBranchesSeat) {
  for (const char* file :
       {"tee-header.kvxp", "lateral-header.kvxp", "tee-branch.kvxp", "lateral-branch.kvxp"}) {
    const auto part = LoadPart(std::string(KORVEX_PROJECTS_FOLDER "/") + file);
    ASSERT_TRUE(std::holds_alternative<LoadedPart>(part)) << file;
    const ComputedJob& job = std::get<LoadedPart>(part).job;
    const JobParameters& values = job.parameters;
    for (std::size_t k = 0; k < values.holes.size(); ++k) {
      const Fit fit = MeasureHole(values, values.holes[k], job.holes[k].path);
      const bool promised = values.holes[k].compensation == 1 || values.holes[k].mode3d == 1;
      EXPECT_LT(promised ? fit.worst(fit.steel) : 0, kTolerance) << file;
      EXPECT_LT(fit.uncovered, kTolerance) << file;
    }
    const EndCutParameters& end = values.right;  // the header's axis beside on the −Y side
    const Branch header{
        {end.distance, -end.offset, 0}, {-std::sin(end.angle), 0, std::cos(end.angle)}, {}, {}};
    for (int i = 0; end.cutOval && i <= values.cutSegments; ++i) {
      const ProgramPoint p{AsWritten(job.right.path.x[i]), AsWritten(job.right.path.y[i]),
                           AsWritten(job.right.path.z[i])};
      for (int d = 0; d < kDepths; ++d) {
        const double r = values.mainRadius - values.wallThickness * d / (kDepths - 1);
        EXPECT_GT(header.distance(test::TorchAt(p, values.mainRadius, r)),
                  end.joinRadius - kTolerance)
            << file << " " << i;
      }
    }
  }
}

// A 42.4 x 3.6 tube fitted onto a 60.3 one.
constexpr double kSeatR = 30.15, kEndR = 21.2, kEndT = 3.6;

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
  job.mainRadius = kEndR, job.mainDiameter = 2 * kEndR, job.wallThickness = kEndT;
  job.cutSegments = 360;
  EndCutParameters& end = c.side < 0 ? job.left : job.right;
  end.cutOval = true, end.joinRadius = kSeatR, end.offset = c.offset;
  end.angle = Radians(c.angleDegrees), end.angleDiff = Radians(c.turnDegrees);
  const JobOutcome outcome = ComputeJob(job, 0);
  ASSERT_TRUE(outcome.job);
  const EndCut& cut = c.side < 0 ? outcome.job->left : outcome.job->right;

  const double a = Radians(c.angleDegrees), turn = Radians(c.turnDegrees);
  const Branch header{{end.distance, -c.offset, 0}, {-std::sin(a), 0, std::cos(a)}, {}, {}};
  double worst = 0;
  for (int i = 0; i <= job.cutSegments; ++i) {
    // The turned end's surface angle is the step's angle plus the turn.
    const double theta = kPi - AsWritten(cut.path.y[i]) / kEndR + turn;
    for (const auto& [x, r] : {std::pair{AsWritten(cut.path.x[i]), kEndR},
                               std::pair{cut.surfaces.inner[i], kEndR - kEndT}}) {
      const test::Vec p{x, r * std::sin(theta), r * std::cos(theta)};
      worst = std::max(worst, std::fabs(header.distance(p) - kSeatR));
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
