#include "rrbutton_geometry.h"

#include <gtest/gtest.h>

namespace korvex {
namespace {

TEST(RoundedRegion, CornerPixelsAreOutsideAndEdgesInside) {
  const QRegion region = RoundedRegion(QSize(80, 60), 10);
  EXPECT_FALSE(region.contains(QPoint(0, 0)));
  EXPECT_FALSE(region.contains(QPoint(79, 0)));
  EXPECT_FALSE(region.contains(QPoint(0, 59)));
  EXPECT_FALSE(region.contains(QPoint(79, 59)));
  EXPECT_FALSE(region.contains(QPoint(1, 0)));
  EXPECT_FALSE(region.contains(QPoint(0, 1)));
  EXPECT_TRUE(region.contains(QPoint(3, 0)));
  EXPECT_TRUE(region.contains(QPoint(1, 1)));
  EXPECT_TRUE(region.contains(QPoint(40, 0)));
  EXPECT_TRUE(region.contains(QPoint(0, 30)));
  EXPECT_TRUE(region.contains(QPoint(79, 30)));
  EXPECT_TRUE(region.contains(QPoint(40, 59)));
  EXPECT_FALSE(region.contains(QPoint(80, 30)));
}

TEST(RoundedRegion, IsSymmetric) {
  const QRegion region = RoundedRegion(QSize(50, 40), 20);
  for (int y = 0; y < 40; ++y) {
    for (int x = 0; x < 50; ++x) {
      const bool inside = region.contains(QPoint(x, y));
      ASSERT_EQ(inside, region.contains(QPoint(49 - x, y))) << x << "," << y;
      ASSERT_EQ(inside, region.contains(QPoint(x, 39 - y))) << x << "," << y;
    }
  }
}

TEST(RoundedRegion, NoCornerIsTheWholeRectangle) {
  EXPECT_EQ(RoundedRegion(QSize(30, 20), 0), QRegion(0, 0, 30, 20));
}

TEST(RoundedRegion, CornerLargerThanTheButtonMakesAnEllipse) {
  const QRegion region = RoundedRegion(QSize(20, 20), 500);
  EXPECT_TRUE(region.contains(QPoint(10, 10)));
  EXPECT_TRUE(region.contains(QPoint(10, 0)));
  EXPECT_FALSE(region.contains(QPoint(2, 2)));
}

TEST(RoundedRegion, EmptyButtonHasNoRegion) {
  EXPECT_TRUE(RoundedRegion(QSize(0, 10), 10).isEmpty());
}

struct HalfCase {
  int value;
  int half;
};

class HalfRoundedToEvenTest : public ::testing::TestWithParam<HalfCase> {};

TEST_P(HalfRoundedToEvenTest, RoundsTiesToEven) {
  EXPECT_EQ(HalfRoundedToEven(GetParam().value), GetParam().half);
}

INSTANTIATE_TEST_SUITE_P(Values, HalfRoundedToEvenTest,
                         ::testing::Values(HalfCase{47, 24}, HalfCase{45, 22}, HalfCase{46, 23},
                                           HalfCase{1, 0}, HalfCase{3, 2}, HalfCase{0, 0},
                                           HalfCase{-1, 0}, HalfCase{-3, -2}, HalfCase{-5, -2},
                                           HalfCase{-4, -2}));

struct PositionCase {
  int code;
  QPoint expected;
};

class ImagePositionTest : public ::testing::TestWithParam<PositionCase> {};

// 100 x 60 client, 20 x 10 image, margins left 1, top 2, right 3, bottom 4.
TEST_P(ImagePositionTest, AlignsByCode) {
  RRButtonState state;
  state.imagePosition = GetParam().code;
  state.imageWidth = 20;
  state.imageHeight = 10;
  state.imageMarginLeft = 1;
  state.imageMarginTop = 2;
  state.imageMarginRight = 3;
  state.imageMarginBottom = 4;
  state.imageX = 7;
  state.imageY = 9;
  EXPECT_EQ(ImagePosition(state, QSize(100, 60)), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Codes, ImagePositionTest,
                         ::testing::Values(PositionCase{-1, {1, 2}}, PositionCase{-2, {41, 2}},
                                           PositionCase{-3, {77, 2}}, PositionCase{-4, {1, 27}},
                                           PositionCase{-5, {41, 27}}, PositionCase{-6, {77, 27}},
                                           PositionCase{-7, {1, 46}}, PositionCase{-8, {41, 46}},
                                           PositionCase{-9, {77, 46}}, PositionCase{0, {7, 9}},
                                           PositionCase{5, {7, 9}}, PositionCase{-10, {7, 9}}));

TEST(ImagePosition, CentredIconInOddClientRoundsToEven) {
  RRButtonState state;
  state.imagePosition = -5;
  state.imageWidth = 32;
  state.imageHeight = 32;
  EXPECT_EQ(ImagePosition(state, QSize(79, 60)).x(), 24);
  EXPECT_EQ(ImagePosition(state, QSize(77, 60)).x(), 22);
}

TEST(CaptionRect, InsetByMarginsAndShiftedWhenInteractive) {
  RRButtonState state;
  state.textMarginLeft = 2;
  state.textMarginTop = 4;
  state.textMarginRight = 6;
  state.textMarginBottom = 8;
  EXPECT_EQ(CaptionRect(state, QSize(80, 60)), QRect(QPoint(2, 4), QPoint(73, 51)));
  EXPECT_EQ(ShiftedCaptionRect(state, QSize(80, 60)), QRect(QPoint(3, 5), QPoint(74, 52)));
  state.fixedLook = 3;
  EXPECT_EQ(ShiftedCaptionRect(state, QSize(80, 60)), CaptionRect(state, QSize(80, 60)));
}

}  // namespace
}  // namespace korvex
