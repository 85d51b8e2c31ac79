#include "scene/camera.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "domain/job_parameters.h"
#include "scene/view_input.h"

namespace korvex {
namespace {

// A camera turned to yaw -60, pitch -30 as start-up leaves it, pointer at (60, 30).
Camera StartedCamera() {
  Camera camera;
  camera.follow(ViewInput::AtStartUp().pointer);
  return camera;
}

struct DragCase {
  const char* name;
  PointerState to;
  int yaw, pitch;
  double lookAtX, lookAtY, lookAtZ;
};

class CameraDragTest : public ::testing::TestWithParam<DragCase> {};

TEST_P(CameraDragTest, FollowsThePointerFromTheStartView) {
  const DragCase& c = GetParam();
  Camera camera = StartedCamera();
  camera.follow(c.to);
  EXPECT_EQ(camera.yawDegrees(), c.yaw);
  EXPECT_EQ(camera.pitchDegrees(), c.pitch);
  EXPECT_NEAR(camera.lookAtX(), c.lookAtX, 1e-9);
  EXPECT_NEAR(camera.lookAtY(), c.lookAtY, 1e-9);
  EXPECT_NEAR(camera.lookAtZ(), c.lookAtZ, 1e-9);
  EXPECT_EQ(camera.lastPointerX(), c.to.x);
  EXPECT_EQ(camera.lastPointerY(), c.to.y);
}

const double kSin60 = std::sin(kPi / 3);
INSTANTIATE_TEST_SUITE_P(
    Drags, CameraDragTest,
    ::testing::Values(
        DragCase{"OrbitOneDegreePerPixel", {kMiddleButtonFlag, 70, 25}, -70, -25, 0, 0, 0},
        DragCase{"YawMinus185JumpsTo180", {kMiddleButtonFlag, 185, 30}, 180, -30, 0, 0, 0},
        DragCase{"Yaw183JumpsToMinus180", {kMiddleButtonFlag, -183, 30}, -180, -30, 0, 0, 0},
        DragCase{"PitchClampsAt90", {kMiddleButtonFlag, 60, -500}, -60, 90, 0, 0, 0},
        DragCase{"PitchClampsAtMinus90", {kMiddleButtonFlag, 60, 500}, -60, -90, 0, 0, 0},
        DragCase{"MiddleWithShift", {kMiddleButtonFlag | kShiftFlag, 70, 25}, -60, -30, 0, 0, 0},
        DragCase{
            "MiddleWithControl", {kMiddleButtonFlag | kControlFlag, 70, 25}, -60, -30, 0, 0, 0},
        DragCase{"MiddleAndLeft", {kMiddleButtonFlag | kLeftButtonFlag, 70, 25}, -60, -30, 0, 0, 0},
        DragCase{"RightWithShift", {kRightButtonFlag | kShiftFlag, 70, 25}, -60, -30, 0, 0, 0},
        DragCase{"LeftOnly", {kLeftButtonFlag, 70, 25}, -60, -30, 0, 0, 0},
        // dx = -10, dy = 5 at yaw -60: x += sin(-60) * -10, y -= cos(-60) * -10, z += 5.
        DragCase{"PanOneUnitPerPixel", {kRightButtonFlag, 70, 25}, -60, -30, 10 * kSin60, 5, 5}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(CameraTest, StartViewEye) {
  const LookAt view = StartedCamera().lookAt(2000);
  EXPECT_NEAR(view.eyeX, 1000 * std::cos(kPi / 6) * 1, 1e-9);
  EXPECT_NEAR(view.eyeX, 866.0254, 1e-4);
  EXPECT_NEAR(view.eyeY, -1500, 1e-9);
  EXPECT_NEAR(view.eyeZ, 1000, 1e-9);
  EXPECT_EQ(view.centreX, 0);
}

TEST(CameraTest, SamePointerAgainChangesNothing) {
  Camera camera = StartedCamera();
  camera.follow({kMiddleButtonFlag, 60, 30});
  camera.follow({kRightButtonFlag, 60, 30});
  EXPECT_EQ(camera.yawDegrees(), -60);
  EXPECT_EQ(camera.pitchDegrees(), -30);
  EXPECT_EQ(camera.lookAtX(), 0);
}

TEST(CameraTest, PanAfterQuarterTurnMovesAlongX) {
  Camera camera = StartedCamera();
  camera.follow({kMiddleButtonFlag, -90, 30});  // yaw -60 + 150
  ASSERT_EQ(camera.yawDegrees(), 90);
  camera.follow({kRightButtonFlag, -110, 30});
  EXPECT_NEAR(camera.lookAtX(), 20, 1e-9);
  EXPECT_NEAR(camera.lookAtY(), 0, 1e-9);
  // The eye stays on its sphere; only the point looked at moved.
  const LookAt view = camera.lookAt(2000);
  EXPECT_NEAR(std::hypot(view.eyeX, view.eyeY, view.eyeZ), 2000, 1e-9);
  EXPECT_NEAR(view.centreX, 20, 1e-9);
}

TEST(ViewInputTest, WheelStepsBySinglePrecisionFactor) {
  ViewInput input = ViewInput::AtStartUp();
  for (int i = 0; i < 20; ++i)
    EXPECT_TRUE(input.turnWheel(120));
  EXPECT_DOUBLE_EQ(input.distance / 2000, std::pow(double(1.2f), 20));
  EXPECT_NEAR(input.distance / 2000, 38.34, 0.01);
  for (int i = 0; i < 20; ++i)
    EXPECT_TRUE(input.turnWheel(-240));  // one step per event, however far
  EXPECT_NEAR(input.distance, 2000, 1e-9);
  EXPECT_FALSE(input.turnWheel(0));
  EXPECT_NEAR(input.distance, 2000, 1e-9);
}

// A high-resolution wheel: small turns zoom once they add up to a notch of 120.
struct WheelCase {
  const char* name;
  std::vector<int> deltas;
  int steps;  // net zoom steps out (negative: in)
  int eventsThatZoom;
};

class HighResolutionWheel : public testing::TestWithParam<WheelCase> {};

TEST_P(HighResolutionWheel, ZoomsPerWholeNotch) {
  ViewInput input = ViewInput::AtStartUp();
  int zoomed = 0;
  for (int delta : GetParam().deltas)
    zoomed += input.turnWheel(delta) ? 1 : 0;
  EXPECT_EQ(zoomed, GetParam().eventsThatZoom);
  EXPECT_NEAR(input.distance, 2000 * std::pow(double(1.2f), GetParam().steps), 1e-6);
}

INSTANTIATE_TEST_SUITE_P(
    Turns, HighResolutionWheel,
    testing::Values(WheelCase{"EightEighthsMakeOneStep", std::vector<int>(8, 15), 1, 1},
                    WheelCase{"SevenEighthsDoNothing", std::vector<int>(7, 15), 0, 0},
                    WheelCase{"SixteenEighthsMakeTwo", std::vector<int>(16, -15), -2, 2},
                    WheelCase{"TurningBackStartsAgain", {60, 50, -60, -50, 60, 60}, 1, 1},
                    WheelCase{"NotchAfterPartsIsOneStep", {60, 120}, 1, 1}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(ViewInputTest, FocusFollowsTheButtonsOfThePreviousMove) {
  ViewInput input = ViewInput::AtStartUp();  // buttons 16 at start
  EXPECT_TRUE(input.move({0, 5, 5}));
  EXPECT_FALSE(input.move({kRightButtonFlag, 6, 6}));
  EXPECT_TRUE(input.move({kRightButtonFlag, 7, 7}));
  EXPECT_EQ(input.pointer.x, 7);
}

TEST(ViewInputTest, LeftReleaseRecordsOnlyThePosition) {
  ViewInput input = ViewInput::AtStartUp();
  input.releaseLeftButton(100, 200);
  EXPECT_EQ(input.pointer.buttons, kMiddleButtonFlag);
  EXPECT_EQ(input.pointer.x, 100);
  EXPECT_EQ(input.pointer.y, 200);
}

}  // namespace
}  // namespace korvex
