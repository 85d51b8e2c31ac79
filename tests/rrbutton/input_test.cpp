#include <QElapsedTimer>
#include <QKeyEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "button_fixture.h"

namespace korvex::testing {
namespace {

using InputTest = ButtonFixture;

// Just outside the rounded top-left corner (corner 20), yet inside the client rectangle.
const QPoint kCornerPoint(1, 1);
const QPoint kOutside(-30, 30);

void SendKey(RRButton* button, QEvent::Type type, int key, bool autoRepeat = false) {
  QKeyEvent event(type, key, Qt::NoModifier, QString(), autoRepeat);
  QApplication::sendEvent(button, &event);
}

TEST_F(InputTest, ClickReachesTheParentAsCommand) {
  PressAt(button, centre());
  ReleaseAt(button, centre());
  ASSERT_EQ(window.clicks(), 1);
  const auto& click = window.notifications().back();
  EXPECT_EQ(click.wParam, static_cast<uintptr_t>(kId) | (BN_CLICKED << 16));
  EXPECT_EQ(click.lParam, reinterpret_cast<intptr_t>(button));
  EXPECT_EQ(click.button, button);
}

// The state machine, one row per event.
TEST_F(InputTest, MouseEntersWithoutPressShowsHot) {
  MovePointer(button, centre());
  EXPECT_EQ(look(), Look::kHot);
  EXPECT_EQ(pressSource(), PressSource::kNone);
  EXPECT_TRUE(HoverTimer(button)->isActive());
  EXPECT_NE(button->state().hoverTimer, 0);
}

TEST_F(InputTest, LeftDownInsidePressesAndTakesFocus) {
  PressAt(button, centre());
  EXPECT_EQ(look(), Look::kPressed);
  EXPECT_EQ(pressSource(), PressSource::kMouse);
  EXPECT_TRUE(button->hasFocus());
  EXPECT_EQ(window.clicks(), 0);
}

TEST_F(InputTest, MouseLeavesShowsNormalAndKeepsThePress) {
  PressAt(button, centre());
  MovePointer(button, kOutside, Qt::LeftButton);
  EXPECT_EQ(look(), Look::kNormal);
  EXPECT_EQ(pressSource(), PressSource::kMouse);
}

TEST_F(InputTest, DragOutAndReleaseDoesNotClick) {
  PressAt(button, centre());
  MovePointer(button, kOutside, Qt::LeftButton);
  ReleaseAt(button, kOutside);
  EXPECT_EQ(window.clicks(), 0);
  EXPECT_EQ(look(), Look::kNormal);
  EXPECT_EQ(pressSource(), PressSource::kNone);
}

TEST_F(InputTest, DragOutAndBackClicksOnceAndEndsHot) {
  PressAt(button, centre());
  MovePointer(button, kOutside, Qt::LeftButton);
  MovePointer(button, centre(), Qt::LeftButton);
  EXPECT_EQ(look(), Look::kPressed);
  ReleaseAt(button, centre());
  EXPECT_EQ(window.clicks(), 1);
  EXPECT_EQ(look(), Look::kHot);
}

TEST_F(InputTest, PressInTheRoundedCornerDoesNothing) {
  EXPECT_FALSE(button->state().region.contains(kCornerPoint));
  PressAt(button, kCornerPoint);
  EXPECT_EQ(look(), Look::kNormal);
  EXPECT_EQ(pressSource(), PressSource::kNone);
  ReleaseAt(button, kCornerPoint);
  EXPECT_EQ(window.clicks(), 0);
}

TEST_F(InputTest, MovingIntoTheCornerShowsNormal) {
  MovePointer(button, centre());
  MovePointer(button, kCornerPoint);
  EXPECT_EQ(look(), Look::kNormal);
}

TEST_F(InputTest, DoubleClickClicksTwice) {
  PressAt(button, centre());
  ReleaseAt(button, centre());
  DoubleClickAt(button, centre());
  EXPECT_EQ(look(), Look::kPressed);
  ReleaseAt(button, centre());
  EXPECT_EQ(window.clicks(), 2);
}

TEST_F(InputTest, OtherMouseButtonsAreIgnored) {
  QCursor::setPos(button->mapToGlobal(centre()));
  QTest::mousePress(button, Qt::RightButton, Qt::NoModifier, centre());
  EXPECT_EQ(pressSource(), PressSource::kNone);
  QTest::mouseRelease(button, Qt::RightButton, Qt::NoModifier, centre());
  EXPECT_EQ(window.clicks(), 0);
}

TEST_F(InputTest, SpaceClicksOnceOnRelease) {
  SendKey(button, QEvent::KeyPress, Qt::Key_Space);
  EXPECT_EQ(look(), Look::kPressed);
  EXPECT_EQ(pressSource(), PressSource::kSpace);
  // Holding the key: Qt reports auto-repeated presses and releases.
  for (int i = 0; i < 3; ++i) {
    SendKey(button, QEvent::KeyRelease, Qt::Key_Space, true);
    SendKey(button, QEvent::KeyPress, Qt::Key_Space, true);
  }
  EXPECT_EQ(window.clicks(), 0);
  SendKey(button, QEvent::KeyRelease, Qt::Key_Space);
  EXPECT_EQ(window.clicks(), 1);
  EXPECT_EQ(look(), Look::kNormal);
  EXPECT_EQ(pressSource(), PressSource::kNone);
}

TEST_F(InputTest, EnterClicksOnEveryKeyDownIncludingRepeats) {
  SendKey(button, QEvent::KeyPress, Qt::Key_Return);
  SendKey(button, QEvent::KeyPress, Qt::Key_Return, true);
  SendKey(button, QEvent::KeyPress, Qt::Key_Return, true);
  SendKey(button, QEvent::KeyPress, Qt::Key_Enter);
  EXPECT_EQ(window.clicks(), 4);
  EXPECT_EQ(look(), Look::kNormal);
  EXPECT_EQ(pressSource(), PressSource::kNone);
}

TEST_F(InputTest, OnePressKindBlocksTheOther) {
  SendKey(button, QEvent::KeyPress, Qt::Key_Space);
  SendKey(button, QEvent::KeyPress, Qt::Key_Return);
  PressAt(button, centre());
  EXPECT_EQ(pressSource(), PressSource::kSpace);
  ReleaseAt(button, centre());
  EXPECT_EQ(window.clicks(), 0);
  SendKey(button, QEvent::KeyRelease, Qt::Key_Space);
  EXPECT_EQ(window.clicks(), 1);

  PressAt(button, centre());
  SendKey(button, QEvent::KeyPress, Qt::Key_Space);
  SendKey(button, QEvent::KeyPress, Qt::Key_Return);
  EXPECT_EQ(pressSource(), PressSource::kMouse);
  ReleaseAt(button, centre());
  EXPECT_EQ(window.clicks(), 2);
}

TEST_F(InputTest, ReleasingAnotherKeyDoesNotEndASpacePress) {
  SendKey(button, QEvent::KeyPress, Qt::Key_Space);
  SendKey(button, QEvent::KeyRelease, Qt::Key_A);
  EXPECT_EQ(window.clicks(), 0);
  EXPECT_EQ(pressSource(), PressSource::kSpace);
}

TEST_F(InputTest, FocusLostEndsAnyPress) {
  PressAt(button, centre());
  ASSERT_TRUE(button->hasFocus());
  button->clearFocus();
  EXPECT_EQ(look(), Look::kNormal);
  EXPECT_EQ(pressSource(), PressSource::kNone);
  ReleaseAt(button, centre());
  EXPECT_EQ(window.clicks(), 0);
}

TEST_F(InputTest, FocusGainedShowsNormalAndKeepsThePress) {
  button->clearFocus();
  SendKey(button, QEvent::KeyPress, Qt::Key_Space);
  button->setFocus(Qt::TabFocusReason);
  EXPECT_EQ(look(), Look::kNormal);
  EXPECT_EQ(pressSource(), PressSource::kSpace);
  SendKey(button, QEvent::KeyRelease, Qt::Key_Space);
  EXPECT_EQ(window.clicks(), 0);
}

// The click that activates a window delivers the focus after the press.
TEST_F(InputTest, FocusArrivingAfterAMousePressKeepsItsClick) {
  PressAt(button, centre());
  ASSERT_EQ(look(), Look::kPressed);
  QFocusEvent lateFocus(QEvent::FocusIn, Qt::ActiveWindowFocusReason);
  QApplication::sendEvent(button, &lateFocus);
  EXPECT_EQ(look(), Look::kPressed);
  ReleaseAt(button, centre());
  EXPECT_EQ(window.clicks(), 1);
}

TEST_F(InputTest, DisabledButtonDoesNotClickOnSpace) {
  SendKey(button, QEvent::KeyPress, Qt::Key_Space);
  button->setEnabled(false);
  SendKey(button, QEvent::KeyRelease, Qt::Key_Space);
  EXPECT_EQ(window.clicks(), 0);
}

TEST_F(InputTest, FixedPressedLookIgnoresTheMouseUntilFocusable) {
  send(RRBM_SETFIXEDLOOK, 3);
  MovePointer(button, centre());
  PressAt(button, centre());
  ReleaseAt(button, centre());
  EXPECT_EQ(window.clicks(), 0);
  EXPECT_EQ(look(), Look::kPressed);
  EXPECT_FALSE(HoverTimer(button)->isActive());

  send(RRBM_SETFOCUSABLE, 1);
  PressAt(button, centre());
  EXPECT_EQ(pressSource(), PressSource::kMouse);
  ReleaseAt(button, centre());
  EXPECT_EQ(window.clicks(), 1);
  EXPECT_EQ(send(RRBM_GETFIXEDLOOK), 3);
  EXPECT_FALSE(HoverTimer(button)->isActive());
}

TEST_F(InputTest, FixedLookWithoutFocusablePassesTheFocusOn) {
  RRButton* next =
      RRButtonCreate(&window, 8, "NEXT", 150, 20, 80, 60, WS_CHILD | WS_VISIBLE | WS_TABSTOP, 0, 0);
  button->clearFocus();
  send(RRBM_SETFIXEDLOOK, 1);
  button->setFocus(Qt::TabFocusReason);
  EXPECT_FALSE(button->hasFocus());
  EXPECT_TRUE(next->hasFocus());
}

TEST_F(InputTest, HoverTimerStopsWhenThePointerHasLeft) {
  MovePointer(button, centre());
  TickHoverTimer(button);
  EXPECT_TRUE(HoverTimer(button)->isActive());
  EXPECT_EQ(look(), Look::kHot);
  ParkPointer();
  TickHoverTimer(button);
  EXPECT_FALSE(HoverTimer(button)->isActive());
  EXPECT_EQ(button->state().hoverTimer, 0);
  EXPECT_EQ(look(), Look::kNormal);
}

// Ten ticks of a 10 ms period take about 100 ms; a loaded machine may stretch that, but not to
// the 2 s that ten ticks of 200 ms would need.
TEST_F(InputTest, HoverTimerTicksEveryTenMilliseconds) {
  MovePointer(button, centre());
  QSignalSpy ticks(HoverTimer(button), &QTimer::timeout);
  QElapsedTimer clock;
  clock.start();
  while (ticks.count() < 10 && ticks.wait(1000)) {
  }
  const qint64 elapsed = clock.elapsed();
  ASSERT_EQ(ticks.count(), 10);
  EXPECT_GE(elapsed, 80);
  EXPECT_LT(elapsed, 1000);
}

TEST_F(InputTest, HoverTimerLeavesASpacePressAlone) {
  MovePointer(button, centre());
  SendKey(button, QEvent::KeyPress, Qt::Key_Space);
  ParkPointer();
  TickHoverTimer(button);
  EXPECT_FALSE(HoverTimer(button)->isActive());
  EXPECT_EQ(look(), Look::kPressed);
  SendKey(button, QEvent::KeyRelease, Qt::Key_Space);
  EXPECT_EQ(window.clicks(), 1);
}

TEST_F(InputTest, MovesRepaintOnlyWhenTheLookChanges) {
  PaintCounter counter(button);
  MovePointer(button, centre());
  EXPECT_EQ(counter.paints(), 1);
  for (int x = 20; x < 60; x += 5)
    MovePointer(button, QPoint(x, 30));
  EXPECT_EQ(counter.paints(), 1);
  PressAt(button, centre());
  const int afterPress = counter.paints();
  for (int x = 20; x < 60; x += 5)
    MovePointer(button, QPoint(x, 30), Qt::LeftButton);
  EXPECT_EQ(counter.paints(), afterPress);
  MovePointer(button, kOutside, Qt::LeftButton);
  EXPECT_EQ(counter.paints(), afterPress + 1);
}

TEST_F(InputTest, ButtonCursorShowsOnlyOverTheButton) {
  send(RRBM_SETCURSOR, IDC_HAND, 0);
  MovePointer(button, centre());
  EXPECT_EQ(button->cursor().shape(), Qt::PointingHandCursor);
  MovePointer(button, kCornerPoint);
  EXPECT_EQ(button->cursor().shape(), Qt::ArrowCursor);
  const QCursor cross(Qt::CrossCursor);
  PaintCounter counter(button);
  send(RRBM_SETCURSOR, 0, reinterpret_cast<intptr_t>(&cross));
  EXPECT_EQ(counter.paints(), 0);
  MovePointer(button, centre());
  EXPECT_EQ(button->cursor().shape(), Qt::CrossCursor);
}

}  // namespace
}  // namespace korvex::testing
