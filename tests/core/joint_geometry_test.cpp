#include <gtest/gtest.h>

#include <algorithm>
#include <array>
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
// the angle θ = kPi − y / R round it (the unrolled convention of the described program: y runs
// from +kPi·R at step 0 to −kPi·R at step N), and the torch's line through the wall is checked
// against the other tube's surface at five depths.

using test::AsWritten;
using test::Branch;
using test::ProgramPoint;

constexpr double kTolerance = 0.05;  // mm of steel or of overcut, beyond rounding and chords
constexpr int kDepths = 5;           // the surfaces and three depths between them

// The worst steel left inside the outline and the worst cut beyond it at each depth, from the
// outer surface in; and how far the cut on the outer surface lies beyond the branch's outside.
struct Fit {
  std::array<double, kDepths> steel{}, overcut{};
  double uncovered = 0;

  double worstSteel() const { return *std::max_element(steel.begin(), steel.end()); }
  double worstOvercut() const { return *std::max_element(overcut.begin(), overcut.end()); }
};

Fit MeasureHole(const JobParameters& job, const HoleParameters& hole, const CutPoints& path) {
  const double outer = job.mainRadius;
  const Branch branch = Branch::Make(hole.at, hole.turn, hole.angle, hole.offset);
  const double rho =
      hole.fit == HoleFit::SetIn ? hole.branchRadius : hole.branchRadius - hole.branchWall;
  std::vector<ProgramPoint> program;
  for (int j = 0; j <= job.cutSegments; ++j)
    program.push_back({AsWritten(path.x[j]), AsWritten(path.y[j]), AsWritten(path.z[j])});
  Fit fit;
  for (int k = 0; k < kDepths; ++k) {
    const double r = outer - job.wallThickness * k / (kDepths - 1);
    const test::FlatPolygon outline = branch.outline(rho, r, kPi - hole.turn);
    const test::FlatPolygon cut = test::CutAt(program, outer, r);
    fit.steel[k] = test::WorstOutside(outline, cut);
    fit.overcut[k] = test::WorstOutside(cut, outline);
  }
  for (const ProgramPoint& p : program) {
    fit.uncovered = std::max(fit.uncovered,
                             branch.distance(test::TorchAt(p, outer, outer)) - hole.branchRadius);
  }
  return fit;
}

// A 100 x 5 header and a 30 x 3 branch (bore 12, outside 15), the branch's axis 12 mm along,
// beside the header's axis by 0, 6 (within the hole's radius) or 27 (beyond it) either way;
// the offsets below 0 also turn the hole 130 degrees round the tube.
constexpr double kHeaderR = 50, kHeaderT = 5, kBranchR = 15, kBranchT = 3;

struct Joint {
  double angleDegrees, offset;
  HoleFit fit;
};

enum class Mode { Plain, Compensation, Tilted };

JobParameters HeaderJob(const Joint& joint, Mode mode) {
  JobParameters job = DefaultJob();
  job.mainRadius = kHeaderR, job.mainDiameter = 2 * kHeaderR, job.wallThickness = kHeaderT;
  job.cutSegments = 360;
  HoleParameters hole{12,       Radians(joint.offset < 0 ? 130 : 0), kBranchR,
                      kBranchT, Radians(joint.angleDegrees),         joint.offset,
                      joint.fit};
  hole.compensation = mode == Mode::Compensation;
  hole.mode3d = mode == Mode::Tilted;
  job.holes = {hole};
  return job;
}

// A torch that leans only along the tube cuts the outer surface at every angle round the tube
// where it cuts the inner one: where the bore reaches farther round on the inner surface than
// the branch's outside does on the outer, no such torch keeps a set-on branch over its hole.
bool BeyondTheBranchOutside(const Joint& joint) {
  if (joint.fit != HoleFit::SetOn) return false;
  const double side = std::fabs(joint.offset), bore = kBranchR - kBranchT;
  const double reach = kHeaderR * (side + bore) / (kHeaderR - kHeaderT);
  return reach > side + kBranchR + kTolerance;
}

std::string Figures(const Fit& fit) {
  std::string text;
  for (double value : {fit.worstSteel(), fit.worstOvercut(), fit.steel[0], fit.overcut[0]})
    text += FormatNumber(value, "0.000") + " ";
  return text;
}

class HoleThroughTheWall : public testing::TestWithParam<Joint> {};

// Square to the tube the torch cuts the outer surface's curve; COMPENSATION MODE and 3D MODE
// leave no steel in the outline anywhere in the wall, 3D MODE cutting no more beyond it than
// COMPENSATION MODE and keeping a set-on hole under the branch's outside.
TEST_P(HoleThroughTheWall, LeavesNoSteelInTheOutline) {
  const Joint& joint = GetParam();
  Fit compensated;
  for (const Mode mode : {Mode::Plain, Mode::Compensation, Mode::Tilted}) {
    const JobParameters job = HeaderJob(joint, mode);
    const JobOutcome outcome = ComputeJob(job, 0);
    if (mode == Mode::Tilted && BeyondTheBranchOutside(joint)) {
      EXPECT_FALSE(outcome.job);
      continue;
    }
    ASSERT_TRUE(outcome.job) << static_cast<int>(mode);
    const Fit fit = MeasureHole(job, job.holes[0], outcome.job->holes[0].path);
    const char* names[] = {"plain", "compensation", "tilted"};
    RecordProperty(names[static_cast<int>(mode)], Figures(fit));
    switch (mode) {
      case Mode::Plain:
        EXPECT_LT(fit.steel[0], kTolerance);
        EXPECT_LT(fit.overcut[0], kTolerance);
        break;
      case Mode::Compensation:
        EXPECT_LT(fit.worstSteel(), kTolerance);
        compensated = fit;
        break;
      case Mode::Tilted:
        EXPECT_LT(fit.worstSteel(), kTolerance);
        EXPECT_LT(fit.worstOvercut(), compensated.worstOvercut() + kTolerance);
        if (joint.fit == HoleFit::SetOn) {
          EXPECT_LT(fit.uncovered, kTolerance);
        }
        break;
    }
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
                           return std::string(j.fit == HoleFit::SetOn ? "SetOn" : "SetIn") + "_" +
                                  std::to_string(static_cast<int>(j.angleDegrees)) + "deg_offset" +
                                  (j.offset < 0 ? "Minus" : "") +
                                  std::to_string(static_cast<int>(std::fabs(j.offset)));
                         });

// The sample parts: each header's holes leave no steel where their modes promise none, and each
// branch's fitted end stays outside its header's surface through the whole wall.
TEST(SampleJoints, HolesAreClearAndBranchesSeat) {
  for (const char* file :
       {"tee-header.kvxp", "lateral-header.kvxp", "tee-branch.kvxp", "lateral-branch.kvxp"}) {
    const LoadedPart part = LoadPart(std::string(KORVEX_PROJECTS_FOLDER "/") + file);
    ASSERT_TRUE(part.workspace) << file << ": " << part.failure.value_or("");
    const ComputedJob& job = part.workspace->job;
    const JobParameters& values = job.parameters;
    for (std::size_t k = 0; k < values.holes.size(); ++k) {
      const HoleParameters& hole = values.holes[k];
      const Fit fit = MeasureHole(values, hole, job.holes[k].path);
      if (hole.compensation == 1 || hole.mode3d == 1) {
        EXPECT_LT(fit.worstSteel(), kTolerance) << file;
      }
      EXPECT_LT(fit.uncovered, kTolerance) << file;
    }
    const EndCutParameters& end = values.right;
    if (!end.cutOval) continue;
    // The header's axis crosses the XZ plane through (DISTANCE, 0), leaning by ANGLE, the
    // offset beside on the −Y side.
    Branch header;
    header.point = {end.distance, -end.offset, 0};
    header.direction = {-std::sin(end.angle), 0, std::cos(end.angle)};
    const double outer = values.mainRadius;
    double worst = 0;
    for (int i = 0; i <= values.cutSegments; ++i) {
      const ProgramPoint p{AsWritten(job.right.path.x[i]), AsWritten(job.right.path.y[i]),
                           AsWritten(job.right.path.z[i])};
      for (int d = 0; d < kDepths; ++d) {
        test::Vec at = test::TorchAt(p, outer, outer - values.wallThickness * d / (kDepths - 1));
        worst = std::max(worst, end.joinRadius - header.distance(at));
      }
    }
    EXPECT_LT(worst, kTolerance) << file;
    RecordProperty(file, FormatNumber(worst, "0.000"));
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
  Branch header;
  header.point = {end.distance, -c.offset, 0};
  header.direction = {-std::sin(a), 0, std::cos(a)};
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
