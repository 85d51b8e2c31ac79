// The main window and the view as start-up leaves them.
#include <GL/gl.h>

#include <QApplication>
#include <QMouseEvent>
#include <QTest>

#include <cmath>

#include "domain/job_parameters.h"
#include "korvex_window_test.h"
#include "qt/view_frame.h"

namespace korvex {
namespace {

using MainWindowTest = KorvexWindowTest;

TEST_F(MainWindowTest, FixedWindowAtTheTopLeftOfTheScreen) {
  EXPECT_EQ(window().windowTitle(), "KORVEX 2014");
  EXPECT_EQ(window().size(), QSize(1024, 668));
  EXPECT_EQ(window().minimumSize(), window().maximumSize());
  EXPECT_EQ(window().frameGeometry().topLeft(), QPoint(0, 0));
  EXPECT_FALSE(window().windowFlags() & Qt::WindowMaximizeButtonHint);
  EXPECT_TRUE(window().windowFlags() & Qt::WindowMinimizeButtonHint);
  EXPECT_TRUE(window().windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(window().windowIcon().pixmap(32, 32).isNull());
  EXPECT_FALSE(window().windowIcon().pixmap(16, 16).isNull());
}

TEST_F(MainWindowTest, ViewWithItsFrameFillsTheRest) {
  EXPECT_EQ(window().viewFrame().geometry(), QRect(200, 100, 820, 563));
  const QRect client = window().viewFrame().contentsRect();
  EXPECT_EQ(view().geometry(), client);
  EXPECT_LT(view().width(), 820);
  EXPECT_GT(view().width(), 800);
  EXPECT_EQ(view().cursor().shape(), Qt::CrossCursor);
  EXPECT_EQ(window().focusWidget(), &view());
}

TEST_F(MainWindowTest, ViewportFollowsAResize) {
  window().viewFrame().setGeometry(200, 100, 600, 400);
  ASSERT_TRUE(waitForFrame());
  view().makeCurrent();
  GLint viewport[4] = {};
  glGetIntegerv(GL_VIEWPORT, viewport);
  GLdouble projection[16] = {};
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  view().doneCurrent();
  EXPECT_EQ(viewport[2], view().width());
  EXPECT_EQ(viewport[3], view().height());
  // Single precision in GL. gluPerspective puts 1 / tan(7.5 degrees) / aspect and 1 / tan(7.5
  // degrees) on the diagonal.
  EXPECT_NEAR(projection[5] / projection[0], double(view().width()) / view().height(), 1e-6);
  EXPECT_NEAR(projection[5], 1 / std::tan(7.5 * kPi / 180), 1e-6);
  EXPECT_LT(view().width(), 600);
}

// Drags the view frame's border from a point in the frame's own pixels by an offset.
void DragBorder(ViewFrame& frame, QPoint from, QPoint by) {
  QTest::mousePress(&frame, Qt::LeftButton, Qt::NoModifier, from);
  QMouseEvent drag(QEvent::MouseMove, from + by, frame.mapToGlobal(from + by), Qt::NoButton,
                   Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&frame, &drag);
  QTest::mouseRelease(&frame, Qt::LeftButton, Qt::NoModifier, from + by);
}

TEST_F(MainWindowTest, TheViewBorderStaysBesideThePanel) {
  ViewFrame& frame = window().viewFrame();
  DragBorder(frame, QPoint(1, 1), QPoint(-150, -80));  // towards the panel's corner
  EXPECT_EQ(frame.geometry(), QRect(200, 100, 820, 563));
  DragBorder(frame, QPoint(1, 1), QPoint(50, 30));
  EXPECT_EQ(frame.geometry(), QRect(250, 130, 770, 533));
  DragBorder(frame, QPoint(1, frame.height() / 2), QPoint(-120, 0));  // left edge only
  EXPECT_EQ(frame.geometry(), QRect(200, 130, 820, 533));
}

TEST_F(MainWindowTest, DraggingTheViewBorderResizesTheView) {
  ViewFrame& frame = window().viewFrame();
  DragBorder(frame, QPoint(frame.width() - 2, frame.height() - 2), QPoint(-220, -163));
  EXPECT_EQ(frame.geometry(), QRect(200, 100, 600, 400));
  EXPECT_EQ(view().size(), QSize(600 - 2 * ViewFrame::kBorder, 400 - 2 * ViewFrame::kBorder));
  ASSERT_TRUE(waitForFrame());
  view().makeCurrent();
  GLdouble projection[16] = {};
  glGetDoublev(GL_PROJECTION_MATRIX, projection);
  view().doneCurrent();
  EXPECT_NEAR(projection[5] / projection[0], double(view().width()) / view().height(), 1e-6);
}

}  // namespace
}  // namespace korvex
