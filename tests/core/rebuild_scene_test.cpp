#include "app/rebuild_scene.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cmath>

#include "app/control_ids.h"
#include "app/memory_panel.h"
#include "app/workspace.h"
#include "domain/computed_job.h"
#include "scene/cut_to_cut_lines.h"

namespace korvex {
namespace {

using testing::ElementsAre;
using testing::HasSubstr;

class RebuildSceneTest : public testing::Test {
 protected:
  MemoryPanel panel;
  Workspace workspace;

  std::vector<std::string> Rebuild() { return RebuildScene(panel, workspace); }
  const std::vector<LineBatch>& Batches() const { return workspace.scene.batches(); }
};

TEST_F(RebuildSceneTest, DefaultJobGivesTheKnownResults) {
  ASSERT_TRUE(Rebuild().empty());
  EXPECT_EQ(panel.text(kXLengthField), "240.000");
  EXPECT_EQ(panel.text(kYLengthField), "125.664");
  EXPECT_NEAR(workspace.job.left.path.x[0], -120, 1e-9);
  EXPECT_NEAR(workspace.job.left.path.x[45], -80, 1e-9);
  EXPECT_NEAR(workspace.job.right.path.x[0], 80, 1e-9);
  EXPECT_NEAR(workspace.job.right.path.x[45], 120, 1e-9);
  EXPECT_EQ(workspace.job.parameters.axisLetter, "A");
}

TEST_F(RebuildSceneTest, WithEveryDisplayBoxOffTheListHoldsAxesCurvesAndMeasurement) {
  ASSERT_TRUE(Rebuild().empty());
  // Axes; per end outer, inner, path, pattern; measurement line.
  ASSERT_EQ(Batches().size(), 10u);
  EXPECT_EQ(Batches()[0].colour, (Rgba{0, 0, 1, 1}));
  EXPECT_THAT(Batches()[0].vertices,
              ElementsAre(Vertex{0, 0, 0}, Vertex{1000, 0, 0}, Vertex{0, 0, 0}, Vertex{0, 1000, 0},
                          Vertex{0, 0, 0}, Vertex{0, 0, 100}));
  const LineBatch& measurement = Batches()[9];
  EXPECT_EQ(measurement.colour, (Rgba{0, 1, 0, 1}));
  EXPECT_THAT(measurement.vertices, ElementsAre(Vertex{120, 0, -20}, Vertex{-120, 0, -20}));
}

TEST_F(RebuildSceneTest, EveryDisplayBoxAddsItsPrimitives) {
  for (int box : {kDisplayGridBox, kDisplayMainBox, kDisplayCutBox})
    panel.setCheckState(box, 1);
  ASSERT_TRUE(Rebuild().empty());
  // Two grids, axes, per end body + four curves, measurement, cut-to-cut lines.
  ASSERT_EQ(Batches().size(), 15u);
  const Rgba grey{200 / 255.0f, 200 / 255.0f, 200 / 255.0f, 1};
  EXPECT_EQ(Batches()[0].colour, grey);
  EXPECT_EQ(Batches()[1].colour, grey);
  EXPECT_EQ(Batches()[0].vertices.size() + Batches()[1].vertices.size(), 2u * 84);
  EXPECT_EQ(Batches()[3].colour, (Rgba{0, 1, 0, 1}));  // left cutting body
  EXPECT_EQ(Batches()[8].colour, (Rgba{0, 1, 0, 1}));  // right cutting body
  const LineBatch& tube = Batches()[14];
  EXPECT_EQ(tube.colour, (Rgba{0.1f, 1.0f, 0.1f, 0.2f}));
  EXPECT_EQ(tube.vertices.size(), 2u * 90);  // N = 90 draws i = 0..89
}

TEST_F(RebuildSceneTest, EachEndChoosesItsVariant) {
  panel.setCheckState(kLeftCutOvalBox, 1);
  ASSERT_TRUE(Rebuild().empty());
  EXPECT_NEAR(workspace.job.left.path.x[0], -91.7157, 5e-5);
  EXPECT_NEAR(workspace.job.right.path.x[0], 80, 1e-9);
}

TEST_F(RebuildSceneTest, SamePanelGivesTheSameListAndArrays) {
  ASSERT_TRUE(Rebuild().empty());
  const Workspace first = workspace;
  ASSERT_TRUE(Rebuild().empty());
  EXPECT_EQ(workspace.scene, first.scene);
  EXPECT_EQ(workspace.job.left.path.x, first.job.left.path.x);
  EXPECT_EQ(workspace.job.right.path.z, first.job.right.path.z);
}

TEST_F(RebuildSceneTest, EntriesAboveASmallerNKeepTheLargerJobsValues) {
  ASSERT_TRUE(Rebuild().empty());
  const double left60 = workspace.job.left.path.x[60];
  panel.setText(kCutSegmentsField, "30");
  ASSERT_TRUE(Rebuild().empty());
  EXPECT_EQ(workspace.job.left.path.x[60], left60);
  EXPECT_NEAR(workspace.job.left.path.x[15], -80, 1e-9);
}

struct AtAngleCase {
  const char* text;
  double lineY;
};

class MeasurementLine : public testing::TestWithParam<AtAngleCase> {};

TEST_P(MeasurementLine, SitsAtTheChosenStep) {
  MemoryPanel panel;
  Workspace workspace;
  panel.setText(kAtAngleField, GetParam().text);
  ASSERT_TRUE(RebuildScene(panel, workspace).empty());
  const LineBatch& line = workspace.scene.batches().back();
  EXPECT_FLOAT_EQ(line.vertices[0].y, static_cast<float>(GetParam().lineY));
  EXPECT_EQ(panel.text(kXLengthField), "240.000");  // nothing else changes
}

const double kPiR = kPi * 20;
INSTANTIATE_TEST_SUITE_P(AtAngles, MeasurementLine,
                         testing::Values(AtAngleCase{"180", 0}, AtAngleCase{"0", -kPiR},
                                         AtAngleCase{"360", kPiR}, AtAngleCase{"abc", -kPiR},
                                         AtAngleCase{"2", -kPiR},  // 0.5 rounds to step 0
                                         AtAngleCase{"6", 2 * kPiR * 2 / 90 - kPiR},  // 1.5 → 2
                                         AtAngleCase{"720", 3 * kPiR}));

TEST(ResultLengths, StartValuesStandWhenNoPointPassesThem) {
  MemoryPanel panel;
  Workspace workspace;
  panel.setText(kRightDistanceField, "-50");  // the right cut lies at negative x
  ASSERT_TRUE(RebuildScene(panel, workspace).empty());
  EXPECT_EQ(panel.text(kXLengthField), "120.000");  // measured from the origin
}

struct CutToCutCase {
  int segments;
  std::size_t lines;
};

class CutToCutLines : public testing::TestWithParam<CutToCutCase> {};

TEST_P(CutToCutLines, CountFollowsTheAccumulatedAngle) {
  MemoryPanel panel;
  Workspace workspace;
  panel.setCheckState(kDisplayMainBox, 1);
  panel.setText(kCutSegmentsField, std::to_string(GetParam().segments));
  ASSERT_TRUE(RebuildScene(panel, workspace).empty());
  EXPECT_EQ(workspace.scene.batches().back().vertices.size(), 2 * GetParam().lines);
}

INSTANTIATE_TEST_SUITE_P(Segments, CutToCutLines,
                         testing::Values(CutToCutCase{4, 5}, CutToCutCase{36, 37},
                                         CutToCutCase{72, 73}, CutToCutCase{90, 90},
                                         CutToCutCase{100, 101}, CutToCutCase{180, 181},
                                         CutToCutCase{360, 361}));

TEST(CutToCutLines, NegativeCountDrawsAnEmptyPrimitive) {
  ComputedJob job;
  job.parameters.cutSegments = -5;
  job.parameters.mainRadius = 20;
  DrawList list;
  DrawCutToCutLines(job, list);
  ASSERT_EQ(list.batches().size(), 1u);
  EXPECT_TRUE(list.batches()[0].vertices.empty());
}

TEST(CutToCutLines, FourSegmentsGiveFiveLinesTheLastOnTheFirst) {
  ComputedJob job;
  job.parameters.cutSegments = 4;
  job.parameters.mainRadius = 20;
  for (int i = 0; i <= 4; ++i)
    job.left.path.x[i] = -100 - i, job.right.path.x[i] = 100 + i;
  DrawList list;
  DrawCutToCutLines(job, list);
  const auto& v = list.batches()[0].vertices;
  ASSERT_EQ(v.size(), 10u);
  EXPECT_EQ(v[0], (Vertex{-100, 0, 20}));
  EXPECT_EQ(v[1], (Vertex{100, 0, 20}));
  EXPECT_EQ(v[2].x, -101);
  EXPECT_NEAR(v[2].y, 20, 1e-6);  // θ = π/2 lies on +Y
  EXPECT_NEAR(v[8].y, 0, 1e-5);   // θ = 2π closes on the first line's angle
  EXPECT_NEAR(v[8].z, 20, 1e-5);
}

// A refused job changes nothing: arrays, results and picture stay.
struct RefusalCase {
  int field;
  const char* text;
  int box;  // ticked before the rebuild, kNoId for none
  const char* problem;
};

class RefusedJobs : public testing::TestWithParam<RefusalCase> {};

TEST_P(RefusedJobs, KeepTheLastValidJobAndNameTheField) {
  MemoryPanel panel;
  Workspace workspace;
  ASSERT_TRUE(RebuildScene(panel, workspace).empty());
  const Workspace before = workspace;
  panel.setText(kXLengthField, "typed");
  const RefusalCase& c = GetParam();
  panel.setText(c.field, c.text);
  panel.setCheckState(c.box, 1);

  const std::vector<std::string> problems = RebuildScene(panel, workspace);
  ASSERT_EQ(problems.size(), 1u);
  EXPECT_THAT(problems[0], HasSubstr(c.problem));
  EXPECT_EQ(workspace.scene, before.scene);
  EXPECT_EQ(workspace.job.left.path.x, before.job.left.path.x);
  EXPECT_EQ(workspace.job.parameters.cutSegments, before.job.parameters.cutSegments);
  EXPECT_EQ(panel.text(kXLengthField), "typed");
}

INSTANTIATE_TEST_SUITE_P(
    Fields, RefusedJobs,
    testing::Values(RefusalCase{kCutSegmentsField, "0", kNoId, "CUT SEGMENTS"},
                    RefusalCase{kCutSegmentsField, "-5", kNoId, "CUT SEGMENTS"},
                    RefusalCase{kCutSegmentsField, "1001", kNoId, "CUT SEGMENTS"},
                    RefusalCase{kCutSegmentsField, "1e9", kNoId, "CUT SEGMENTS"},
                    RefusalCase{kCutSegmentsField, "0.5", kNoId, "CUT SEGMENTS"},
                    RefusalCase{kMainDiameterField, "0", kNoId, "MAIN TUBE DIAMETER"},
                    RefusalCase{kMainDiameterField, "-40", kNoId, "MAIN TUBE DIAMETER"},
                    RefusalCase{kMainDiameterField, "1e999", kNoId, "MAIN TUBE DIAMETER"},
                    RefusalCase{kThicknessField, "", kLeftMode3dBox, "THICKNESS"},
                    RefusalCase{kThicknessField, "-1", kRightMode3dBox, "THICKNESS"},
                    RefusalCase{kLeftDiameterField, "39.9", kLeftCutOvalBox, "LEFT CUT DIAMETER"},
                    RefusalCase{kRightDiameterField, "", kRightCutOvalBox, "RIGHT CUT DIAMETER"},
                    RefusalCase{kLeftAngleField, "90", kNoId, "LEFT CUT ANGLE"},
                    RefusalCase{kRightAngleField, "-95", kNoId, "RIGHT CUT ANGLE"},
                    RefusalCase{kLeftDistanceField, "-1e400", kNoId, "LEFT CUT DISTANCE"},
                    RefusalCase{kRightAngleDiffField, "1e999", kNoId, "RIGHT CUT Angle DIFF"},
                    RefusalCase{kAtAngleField, "1e999", kNoId, "AT ANGLE"},
                    RefusalCase{kLeftDistanceField, "1e308", kNoId, "LEFT CUT gives points"}));

TEST(RebuildScene, NamesEveryOffendingFieldAtOnce) {
  MemoryPanel panel;
  Workspace workspace;
  panel.setText(kCutSegmentsField, "0");
  panel.setText(kMainDiameterField, "abc");
  panel.setText(kLeftAngleField, "90");
  const std::vector<std::string> problems = RebuildScene(panel, workspace);
  EXPECT_EQ(problems.size(), 3u);
  const std::string message = RefusalMessage(problems);
  for (const char* field : {"CUT SEGMENTS", "MAIN TUBE DIAMETER", "LEFT CUT ANGLE"}) {
    EXPECT_THAT(message, HasSubstr(field));
  }
}

TEST(RebuildScene, AcceptsTheLimitsOfTheValidRange) {
  const std::pair<int, const char*> cases[] = {
      {kCutSegmentsField, "1"},    {kCutSegmentsField, "1000"},   {kCutSegmentsField, "1000.5"},
      {kLeftAngleField, "89.999"}, {kRightAngleField, "-89.999"}, {kThicknessField, "0"},
      {kLeftDiameterField, "-5"}};  // not used by a plane cut
  for (auto [field, text] : cases) {
    MemoryPanel panel;
    Workspace workspace;
    panel.setText(field, text);
    EXPECT_TRUE(RebuildScene(panel, workspace).empty()) << field << " " << text;
  }
}

}  // namespace
}  // namespace korvex
