#include "scene/sizing_border.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(SizingBorderTest, EdgesNearEachSide) {
  struct Case {
    int x, y, edges;
  };
  for (Case c : {Case{0, 50, kLeftEdge}, Case{3, 50, kLeftEdge}, Case{4, 50, kNoEdge},
                 Case{815, 50, kNoEdge}, Case{816, 50, kRightEdge}, Case{400, 0, kTopEdge},
                 Case{400, 562, kBottomEdge}, Case{1, 1, kLeftEdge | kTopEdge},
                 Case{819, 562, kRightEdge | kBottomEdge}, Case{400, 300, kNoEdge}}) {
    EXPECT_EQ(EdgesAt(820, 563, c.x, c.y, 4), c.edges) << c.x << "," << c.y;
  }
}

const PixelBox kWindow{0, 0, 1024, 668};
const PixelBox kView{200, 100, 820, 563};

struct DragCase {
  const char* name;
  int edges, dx, dy;
  PixelBox expected;
};

class DraggedBoxTest : public ::testing::TestWithParam<DragCase> {};

TEST_P(DraggedBoxTest, MovesTheGrabbedEdges) {
  const DragCase& c = GetParam();
  EXPECT_EQ(DraggedBox(kView, c.edges, c.dx, c.dy, 40, kWindow), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Drags, DraggedBoxTest,
    ::testing::Values(
        DragCase{"RightInwards", kRightEdge, -100, 7, {200, 100, 720, 563}},
        DragCase{"BottomRightInwards", kRightEdge | kBottomEdge, -120, -63, {200, 100, 700, 500}},
        DragCase{"LeftOutwards", kLeftEdge, -50, 0, {150, 100, 870, 563}},
        DragCase{"TopInwards", kTopEdge, 0, 60, {200, 160, 820, 503}},
        DragCase{"NotBeyondTheWindow", kRightEdge | kBottomEdge, 500, 500, {200, 100, 824, 568}},
        DragCase{"NotBeyondTheLeftOfTheWindow", kLeftEdge, -900, 0, {0, 100, 1020, 563}},
        DragCase{
            "NeverSmallerThanTheMinimum", kLeftEdge | kTopEdge, 2000, 2000, {980, 623, 40, 40}},
        DragCase{"NothingGrabbed", kNoEdge, 30, 30, {200, 100, 820, 563}}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace korvex
