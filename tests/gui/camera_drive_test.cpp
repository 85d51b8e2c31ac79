// Orbit, pan and zoom driven by pointer events on the view.
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>
#include <cmath>

#include "app/control_ids.h"
#include "domain/job_parameters.h"
#include "korvex_window_test.h"

namespace korvex {
namespace {

using CameraDriveTest = KorvexWindowTest;

const QPoint kStart(400, 300);

struct OrbitCase {
  const char* name;
  QPoint to;
  Qt::MouseButtons buttons;
  Qt::KeyboardModifiers modifiers;
  int yaw, pitch;  // from yaw -60, pitch -30
};

class OrbitTest : public KorvexWindowTest, public ::testing::WithParamInterface<OrbitCase> {};

TEST_P(OrbitTest, DragTurnsTheCamera) {
  const OrbitCase& c = GetParam();
  ASSERT_EQ(view().camera().yawDegrees(), -60);
  ASSERT_EQ(view().camera().pitchDegrees(), -30);
  movePointer(kStart, Qt::NoButton);
  movePointer(c.to, c.buttons, c.modifiers);
  EXPECT_EQ(view().camera().yawDegrees(), c.yaw);
  EXPECT_EQ(view().camera().pitchDegrees(), c.pitch);
  EXPECT_EQ(view().camera().lookAtX(), 0);
  EXPECT_EQ(view().camera().lookAtZ(), 0);
  EXPECT_EQ(view().camera().lastPointerX(), c.to.x());
  EXPECT_EQ(view().camera().lastPointerY(), c.to.y());
}

const auto kNone = Qt::NoModifier;
INSTANTIATE_TEST_SUITE_P(
    Drags, OrbitTest,
    ::testing::Values(
        OrbitCase{"MiddleRightAndUp", {410, 295}, Qt::MiddleButton, kNone, -70, -25},
        OrbitCase{"YawPastMinus180JumpsTo180", {525, 300}, Qt::MiddleButton, kNone, 180, -30},
        OrbitCase{"YawPast180JumpsToMinus180", {159, 300}, Qt::MiddleButton, kNone, -180, -30},
        OrbitCase{"YawExactly180Stays", {160, 300}, Qt::MiddleButton, kNone, 180, -30},
        OrbitCase{"PitchClampedAt90", {400, 100}, Qt::MiddleButton, kNone, -60, 90},
        OrbitCase{"PitchClampedAtMinus90", {400, 500}, Qt::MiddleButton, kNone, -60, -90},
        OrbitCase{"ShiftDoesNothing", {410, 295}, Qt::MiddleButton, Qt::ShiftModifier, -60, -30},
        OrbitCase{
            "ControlDoesNothing", {410, 295}, Qt::MiddleButton, Qt::ControlModifier, -60, -30},
        OrbitCase{
            "TwoButtonsDoNothing", {410, 295}, Qt::MiddleButton | Qt::LeftButton, kNone, -60, -30},
        OrbitCase{"LeftDoesNothing", {410, 295}, Qt::LeftButton, kNone, -60, -30},
        OrbitCase{"NoButtonDoesNothing", {410, 295}, Qt::NoButton, kNone, -60, -30}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(CameraDriveTest, StartsFromYawMinus60PitchMinus30AtDistance2000) {
  const LookAt eye = view().camera().lookAt(view().input().distance);
  EXPECT_NEAR(eye.eyeX, 866.025, 0.01);
  EXPECT_NEAR(eye.eyeY, -1500.0, 0.01);
  EXPECT_NEAR(eye.eyeZ, 1000.0, 0.01);
  EXPECT_EQ(eye.centreX, 0);
}

TEST_F(CameraDriveTest, RightDragPansAcrossTheView) {
  movePointer(kStart, Qt::NoButton);
  movePointer(kStart + QPoint(-10, 4), Qt::RightButton);
  // dx = 10, dy = -4 at yaw -60.
  EXPECT_NEAR(view().camera().lookAtX(), 10 * std::sin(-kPi / 3), 1e-9);
  EXPECT_NEAR(view().camera().lookAtY(), -10 * std::cos(-kPi / 3), 1e-9);
  EXPECT_EQ(view().camera().lookAtZ(), -4);
  EXPECT_EQ(view().camera().yawDegrees(), -60);
}

TEST_F(CameraDriveTest, PanAfterQuarterTurnMovesAlongX) {
  movePointer(kStart, Qt::NoButton);
  movePointer(kStart + QPoint(-150, 0), Qt::MiddleButton);  // yaw -60 + 150 = 90
  ASSERT_EQ(view().camera().yawDegrees(), 90);
  movePointer(kStart + QPoint(-150, 0), Qt::NoButton);
  movePointer(kStart + QPoint(-175, 0), Qt::RightButton);
  EXPECT_NEAR(view().camera().lookAtX(), 25, 1e-9);
  EXPECT_NEAR(view().camera().lookAtY(), 0, 1e-9);
}

TEST_F(CameraDriveTest, TwentyWheelStepsOutAndBack) {
  for (int step = 0; step < 20; ++step)
    turnWheel(120);
  EXPECT_NEAR(view().input().distance, 2000 * std::pow(double(1.2f), 20), 1e-6);
  EXPECT_NEAR(view().input().distance / 2000, 38.34, 0.01);
  for (int step = 0; step < 19; ++step)
    turnWheel(-360);  // one step per event of a notch or more
  // A high-resolution wheel: seven eighths of a notch do nothing, the eighth makes the step.
  for (int part = 0; part < 7; ++part)
    turnWheel(-15);
  EXPECT_NEAR(view().input().distance, 2000 * double(1.2f), 1e-6);
  turnWheel(-15);
  EXPECT_NEAR(view().input().distance, 2000, 1e-9);
  turnWheel(0);
  EXPECT_NEAR(view().input().distance, 2000, 1e-9);
  // Zoom moves the eye on its sphere about the origin.
  turnWheel(120);
  const LookAt eye = view().camera().lookAt(view().input().distance);
  EXPECT_NEAR(std::hypot(eye.eyeX, eye.eyeY, eye.eyeZ), 2000 * double(1.2f), 1e-6);
}

TEST_F(CameraDriveTest, EveryMoveRedraws) {
  QSignalSpy frames(&view(), &QOpenGLWidget::frameSwapped);
  movePointer(kStart, Qt::NoButton);
  EXPECT_TRUE(frames.wait(5000));
  EXPECT_EQ(view().camera().yawDegrees(), -60);
}

TEST_F(CameraDriveTest, MoveWithAButtonHeldTakesTheFocus) {
  auto* field = qobject_cast<QLineEdit*>(panel().control(kMainDiameterField));
  movePointer(kStart, Qt::NoButton);
  QTest::mouseClick(field, Qt::LeftButton);
  ASSERT_EQ(window().focusWidget(), field);
  movePointer(kStart, Qt::NoButton);
  EXPECT_EQ(window().focusWidget(), field);
  movePointer(kStart, Qt::LeftButton);  // the previous move held no button
  EXPECT_EQ(window().focusWidget(), field);
  movePointer(kStart, Qt::LeftButton);
  EXPECT_EQ(window().focusWidget(), &view());
}

}  // namespace
}  // namespace korvex
