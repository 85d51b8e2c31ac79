// The domain on plain job values: no panel, no drawing.
#include "domain/computed_job.h"

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <limits>

#include "app/job_problem_text.h"
#include "app/memory_panel.h"
#include "app/panel_job.h"
#include "app/part_panel.h"

namespace korvex {
namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

TEST(ComputeJob, DefaultJobGivesTheKnownCurvesAndLengths) {
  const JobOutcome outcome = ComputeJob(DefaultJob(), 180);
  ASSERT_TRUE(outcome.job);
  EXPECT_TRUE(outcome.problems.empty());
  const ComputedJob& job = *outcome.job;
  // Plane cuts at 45° through x = ∓100 on R = 20: x = ∓100 ∓ 20·cos θ, y from +πR to −πR.
  EXPECT_NEAR(job.left.path.x[0], -120, 1e-9);
  EXPECT_NEAR(job.left.path.x[45], -80, 1e-9);
  EXPECT_NEAR(job.right.path.x[0], 80, 1e-9);
  EXPECT_NEAR(job.left.surfaces.inner[0], -116, 1e-9);
  EXPECT_NEAR(job.right.path.y[90], -20 * kPi, 1e-9);
  EXPECT_NEAR(job.lengths.xLength(), 240, 1e-9);
  EXPECT_NEAR(job.lengths.yLength(), 40 * kPi, 1e-9);
  EXPECT_NEAR(job.lengths.lineY, 0, 1e-9);  // AT ANGLE 180 is half way round
}

TEST(ComputeJob, DefaultJobIsThePanelsDefaultJob) {
  const JobParameters panel = JobOf(PartFromPanel(MemoryPanel(), Part{}));
  const JobParameters values = DefaultJob();
  EXPECT_EQ(values.cutSegments, panel.cutSegments);
  EXPECT_EQ(values.mainRadius, panel.mainRadius);
  EXPECT_EQ(values.mainDiameter, panel.mainDiameter);
  EXPECT_EQ(values.wallThickness, panel.wallThickness);
  EXPECT_EQ(values.axisLetter, panel.axisLetter);
  for (auto end : {&JobParameters::left, &JobParameters::right}) {
    EXPECT_EQ((values.*end).cutOval, (panel.*end).cutOval);
    EXPECT_EQ((values.*end).joinRadius, (panel.*end).joinRadius);
    EXPECT_EQ((values.*end).angle, (panel.*end).angle);
    EXPECT_EQ((values.*end).distance, (panel.*end).distance);
    EXPECT_EQ((values.*end).angleDiff, (panel.*end).angleDiff);
    EXPECT_EQ((values.*end).compensation, (panel.*end).compensation);
    EXPECT_EQ((values.*end).mode3d, (panel.*end).mode3d);
  }
}

// A spoiled job gives exactly its typed problems, worded as the operator reads them.
struct ProblemCase {
  const char* name;
  std::function<void(JobParameters&, double& atAngle)> spoil;
  JobProblem problem;
  const char* text;
};

class RefusedJob : public testing::TestWithParam<ProblemCase> {};

TEST_P(RefusedJob, NamesItsProblem) {
  JobParameters job = DefaultJob();
  double atAngle = 180;
  GetParam().spoil(job, atAngle);
  const JobOutcome outcome = ComputeJob(job, atAngle);
  EXPECT_FALSE(outcome.job);
  ASSERT_EQ(outcome.problems.size(), 1u);
  EXPECT_EQ(outcome.problems[0], GetParam().problem);
  EXPECT_EQ(JobProblemText(outcome.problems[0]), GetParam().text);
}

using F = JobField;
using K = ProblemKind;
INSTANTIATE_TEST_SUITE_P(
    Values, RefusedJob,
    testing::Values(
        ProblemCase{"NoSegments",
                    [](JobParameters& j, double&) { j.cutSegments = 0; },
                    {F::CutSegments, K::SegmentsOutOfRange},
                    "CUT SEGMENTS must be a whole number from 1 to 1000"},
        ProblemCase{"TooManySegments",
                    [](JobParameters& j, double&) { j.cutSegments = 1001; },
                    {F::CutSegments, K::SegmentsOutOfRange},
                    "CUT SEGMENTS must be a whole number from 1 to 1000"},
        ProblemCase{"FlatTube",
                    [](JobParameters& j, double&) { j.mainRadius = 0; },
                    {F::MainDiameter, K::NotPositive},
                    "MAIN TUBE DIAMETER must be a number greater than 0"},
        ProblemCase{"InfiniteWall",
                    [](JobParameters& j, double&) { j.wallThickness = kInf; },
                    {F::Thickness, K::NotFinite},
                    "THICKNESS is not a finite number"},
        ProblemCase{"NoWallTilted",
                    [](JobParameters& j, double&) { j.wallThickness = 0, j.right.mode3d = 1; },
                    {F::Thickness, K::NoWallFor3d},
                    "THICKNESS must be greater than 0 for 3D MODE"},
        ProblemCase{"SquareAngle",
                    [](JobParameters& j, double&) { j.left.angle = kPi / 2; },
                    {F::Angle, K::AngleOutOfRange, TubeEnd::Left},
                    "LEFT CUT ANGLE must lie between -90 and 90 degrees"},
        ProblemCase{
            "NarrowJoin",
            [](JobParameters& j, double&) { j.right.cutOval = true, j.right.joinRadius = 19; },
            {F::Diameter, K::SmallerThanMainTube, TubeEnd::Right},
            "RIGHT CUT DIAMETER must not be smaller than the MAIN TUBE DIAMETER for CUT OVAL"},
        ProblemCase{"InfiniteTurn",
                    [](JobParameters& j, double&) { j.right.angleDiff = kInf; },
                    {F::AngleDiff, K::NotFinite, TubeEnd::Right},
                    "RIGHT CUT Angle DIFF is not a finite number"},
        ProblemCase{"InfiniteDistance",
                    [](JobParameters& j, double&) { j.left.distance = -kInf; },
                    {F::Distance, K::NotFinite, TubeEnd::Left},
                    "LEFT CUT DISTANCE is not a finite number"},
        ProblemCase{"InfiniteAtAngle",
                    [](JobParameters&, double& a) { a = kInf; },
                    {F::AtAngle, K::NotFinite},
                    "AT ANGLE is not a finite number"},
        ProblemCase{"HugeDistance",
                    [](JobParameters& j, double&) { j.left.distance = 1e308; },
                    {F::Points, K::NotFinite, TubeEnd::Left},
                    "LEFT CUT gives points that are not finite"},
        ProblemCase{"DistanceTooLongForALine",
                    [](JobParameters& j, double&) { j.left.distance = 1e230; },
                    {F::Points, K::TooLarge, TubeEnd::Left},
                    "LEFT CUT gives points beyond 1000000000, too long for a program line; check "
                    "its DISTANCE and DIAMETER"},
        ProblemCase{"TubeTooLargeForALine",
                    [](JobParameters& j, double&) { j.mainRadius = 4e8; },
                    {F::MainDiameter, K::TooLarge},
                    "MAIN TUBE DIAMETER is too large for a program line"},
        ProblemCase{"OffsetPastTheJoiningTube",
                    [](JobParameters& j, double&) {
                      j.left.cutOval = true, j.left.joinRadius = 30, j.left.offset = -10.5;
                    },
                    {F::Offset, K::PastTubeSide, TubeEnd::Left},
                    "LEFT CUT offset would hang the tube past the side of the tube it fits onto: "
                    "the offset and half the MAIN TUBE DIAMETER together must not exceed half "
                    "the LEFT CUT DIAMETER"},
        // R = 20, T = 4: a set-on hole of bore 10 may sit 6 beside, a set-in one of 12 only 4.
        ProblemCase{"SetInHolePastTheInnerSurface",
                    [](JobParameters& j, double&) {
                      j.holes = {{0, 0, 12, 2, 0, 6}, {0, 0, 12, 2, 0, -4.5, HoleFit::SetIn}};
                    },
                    {F::Offset, K::PastTubeSide, TubeEnd::None, 2},
                    "HOLE 2 offset would hang the branch past the side of the tube: the offset "
                    "and the hole's radius together must not exceed the tube's inner radius, nor "
                    "the offset and the branch's radius its outer radius"},
        ProblemCase{"BranchWithoutBore",
                    [](JobParameters& j, double&) {
                      j.holes = {{0, 0, 12, 12}};
                    },
                    {F::BranchWall, K::NoBore, TubeEnd::None, 1},
                    "HOLE 1 branch-wall must be less than half the branch-diameter"},
        ProblemCase{"HoleAlongTheTube",
                    [](JobParameters& j, double&) {
                      j.holes = {{0, 0, 12, 2, -kPi / 2}};
                    },
                    {F::Angle, K::AngleOutOfRange, TubeEnd::None, 1},
                    "HOLE 1 ANGLE must lie between -90 and 90 degrees"},
        ProblemCase{"HugeAtAngle",
                    [](JobParameters&, double& a) { a = 1e308; },
                    {F::AtAngle, K::TooLarge},
                    "AT ANGLE is too large: the measurement line would not be finite"}),
    [](const auto& info) { return std::string(info.param.name); });

// Lengths that overflow while every point is finite are not reachable from a valid job; the
// wording stands ready should the limits ever change.
TEST(JobProblemText, NamesTheResultLengths) {
  EXPECT_EQ(JobProblemText({F::ResultLengths, K::NotFinite}),
            "the RESULT lengths are not finite; the job's values are too large");
}

}  // namespace
}  // namespace korvex
