#include <gtest/gtest.h>

#include "rrbutton_color_setup.h"
#include "rrbutton_colors.h"

namespace korvex {
namespace {

struct FaceCase {
  ColorRef buttonFace;
  ColorRef initialFace;
};

class InitialFaceTest : public ::testing::TestWithParam<FaceCase> {};

TEST_P(InitialFaceTest, IsALighterShadeExceptBlackAndWhite) {
  EXPECT_EQ(InitialFaceColor(GetParam().buttonFace), GetParam().initialFace);
}

INSTANTIATE_TEST_SUITE_P(
    Faces, InitialFaceTest,
    ::testing::Values(FaceCase{Rgb(240, 240, 240), Rgb(248, 248, 248)},
                      FaceCase{Rgb(212, 208, 200), Rgb(220, 216, 208)},
                      FaceCase{Rgb(0, 0, 0), Rgb(0, 0, 0)},
                      FaceCase{Rgb(255, 255, 255), Rgb(255, 255, 255)},
                      // A byte near 255 stops there instead of carrying into its neighbour.
                      FaceCase{Rgb(252, 100, 250), Rgb(255, 108, 255)}));

TEST(Colours, DarkerFaceTakesSixteenFromEachByteAndStopsAtZero) {
  EXPECT_EQ(DarkerFace(Rgb(240, 240, 240)), Rgb(224, 224, 224));
  EXPECT_EQ(DarkerFace(Rgb(10, 100, 16)), Rgb(0, 84, 0));
}

TEST(Colours, ColorRefKeepsRedInTheLowByte) {
  EXPECT_EQ(Rgb(220, 220, 200), 13163740u);
  EXPECT_EQ(ToColorRef(QColor(1, 2, 3)), 0x030201u);
  EXPECT_EQ(ToQColor(0x030201u), QColor(1, 2, 3));
}

SystemColours WithButtonFace(ColorRef face) {
  return {.buttonFace = face,
          .highlight = Rgb(255, 255, 255),
          .shadow = Rgb(100, 100, 100),
          .buttonText = Rgb(1, 2, 3),
          .infoBackground = Rgb(255, 255, 225),
          .scrollbar = Rgb(200, 200, 200)};
}

struct SetupCase {
  const char* name;
  ColorRef faceBefore;
  ColorRef faceAfter;
};

class ColorSetupTest : public ::testing::TestWithParam<SetupCase> {};

// The system face moves from (200, 200, 200) to (100, 110, 120).
TEST_P(ColorSetupTest, FaceFollowsTheSystemOnlyWhenItDidBefore) {
  RRButtonState state;
  state.faceColor = GetParam().faceBefore;
  RunColorSetup(state, WithButtonFace(Rgb(200, 200, 200)));
  RunColorSetup(state, WithButtonFace(Rgb(100, 110, 120)));
  EXPECT_EQ(state.faceColor, GetParam().faceAfter);
  EXPECT_EQ(state.palette.entries[0], GetParam().faceAfter);
  EXPECT_EQ(ToColorRef(state.faceBrush.color()), GetParam().faceAfter);
}

INSTANTIATE_TEST_SUITE_P(
    Faces, ColorSetupTest,
    ::testing::Values(SetupCase{"lighter", Rgb(208, 208, 208), Rgb(108, 118, 128)},
                      SetupCase{"same", Rgb(200, 200, 200), Rgb(100, 110, 120)},
                      SetupCase{"chosen", Rgb(220, 220, 200), Rgb(220, 220, 200)}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ColorSetup, FillsThePaletteBlock) {
  RRButtonState state;
  EXPECT_EQ(state.palette.lastButtonFace, -1);
  EXPECT_EQ(state.faceBrush.style(), Qt::NoBrush);
  state.faceColor = Rgb(50, 60, 70);
  RunColorSetup(state, WithButtonFace(Rgb(200, 190, 180)));
  EXPECT_EQ(state.palette.version, 768);
  EXPECT_EQ(state.palette.entryCount, 4);
  EXPECT_EQ(state.palette.entries[1], Rgb(184, 174, 164));
  EXPECT_EQ(state.palette.entries[2], Rgb(255, 255, 225));
  EXPECT_EQ(state.palette.entries[3], Rgb(200, 200, 200));
  EXPECT_EQ(state.palette.lastButtonFace, Rgb(200, 190, 180));
  EXPECT_EQ(state.faceBrush.color(), QColor(50, 60, 70));
}

TEST(SystemColourChange, BlackOrWhiteFaceOverridesAChosenFace) {
  for (ColorRef extreme : {Rgb(0, 0, 0), Rgb(255, 255, 255)}) {
    RRButtonState state;
    state.faceColor = Rgb(220, 220, 200);
    state.textColor = Rgb(9, 9, 9);
    EXPECT_TRUE(ApplySystemColourChange(state, WithButtonFace(extreme)));
    EXPECT_EQ(state.faceColor, extreme);
    EXPECT_EQ(state.textColor, Rgb(1, 2, 3));
    EXPECT_EQ(state.textColorHot, Rgb(1, 2, 3));
    EXPECT_EQ(state.textColorPressed, Rgb(1, 2, 3));
  }
}

TEST(SystemColourChange, OtherFacesLeaveTheButtonAlone) {
  RRButtonState state;
  state.faceColor = Rgb(220, 220, 200);
  EXPECT_FALSE(ApplySystemColourChange(state, WithButtonFace(Rgb(128, 128, 128))));
  EXPECT_EQ(state.faceColor, Rgb(220, 220, 200));
}

}  // namespace
}  // namespace korvex
