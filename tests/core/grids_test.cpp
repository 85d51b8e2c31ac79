#include "scene/grids.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

struct SplitCase {
  std::int32_t packed;
  double red, green, blue;
};

class SplitColourTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitColourTest, GivesComponentsScaledToOne) {
  const RgbComponents rgb = SplitColour(GetParam().packed);
  EXPECT_DOUBLE_EQ(rgb.red, GetParam().red);
  EXPECT_DOUBLE_EQ(rgb.green, GetParam().green);
  EXPECT_DOUBLE_EQ(rgb.blue, GetParam().blue);
}

INSTANTIATE_TEST_SUITE_P(
    Colours, SplitColourTest,
    testing::Values(SplitCase{PackColour(200, 200, 200), 200 / 255.0, 200 / 255.0, 200 / 255.0},
                    SplitCase{255, 1, 0, 0}, SplitCase{16711680, 0, 0, 1},
                    SplitCase{PackColour(1, 2, 3), 1 / 255.0, 2 / 255.0, 3 / 255.0},
                    SplitCase{-1, 0, 0, 0}, SplitCase{-16777216, 0, 0, 0},
                    SplitCase{0x01000000, 0, 0, 256 / 255.0}));  // no upper clamp

const std::int32_t kGrey = PackColour(200, 200, 200);

TEST(Grids, EachGridHas42LinesInItsPlane) {
  DrawList list;
  const GridExtent grid{-100, 100, -100, 100, 0, 10, 10};
  DrawGridXY(grid, kGrey, list);
  DrawGridXZ(grid, kGrey, list);
  ASSERT_EQ(list.batches().size(), 2u);
  for (const LineBatch& batch : list.batches()) {
    EXPECT_EQ(batch.vertices.size(), 2u * 42);
    EXPECT_EQ(batch.colour.alpha, 1.0f);
  }
  const auto& xy = list.batches()[0].vertices;
  const auto& xz = list.batches()[1].vertices;
  for (const Vertex& v : xy)
    EXPECT_EQ(v.z, 0.0f);
  for (const Vertex& v : xz)
    EXPECT_EQ(v.y, 0.0f);
  // First the lines parallel to the second axis, the last one on the upper bound.
  EXPECT_EQ(xy[0], (Vertex{-100, -100, 0}));
  EXPECT_EQ(xy[1], (Vertex{-100, 100, 0}));
  EXPECT_EQ(xy[41], (Vertex{100, 100, 0}));
  EXPECT_EQ(xy[42], (Vertex{-100, -100, 0}));
  EXPECT_EQ(xy[43], (Vertex{100, -100, 0}));
  EXPECT_EQ(xz[0], (Vertex{-100, 0, -100}));
  EXPECT_EQ(xz[1], (Vertex{-100, 0, 100}));
}

TEST(Grids, DegenerateExtentsDrawAnEmptyPrimitive) {
  const GridExtent cases[] = {
      {100, -100, 100, -100, 0, 10, 10},  // upper bound below the lower one
      {-100, 100, -100, 100, 0, 0, 0},    // a zero spacing never advances
      {-100, 100, -100, 100, 0, -10, -10},
  };
  for (const GridExtent& grid : cases) {
    DrawList list;
    DrawGridXY(grid, kGrey, list);
    ASSERT_EQ(list.batches().size(), 1u);
    EXPECT_TRUE(list.batches()[0].vertices.empty());
  }
}

TEST(Grids, NegativeSpacingRunsDownwards) {
  DrawList list;
  DrawGridXZ({10, -10, 10, -10, 5, -10, -10}, kGrey, list);
  const auto& v = list.batches()[0].vertices;
  ASSERT_EQ(v.size(), 2u * 6);
  EXPECT_EQ(v[0], (Vertex{10, 5, 10}));
  EXPECT_EQ(v[4], (Vertex{-10, 5, 10}));
}

}  // namespace
}  // namespace korvex
