#include "korvex_window_test.h"

#include <QApplication>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>

#include "qt/korvex_app.h"

namespace korvex {
namespace {

int argc = 1;
char programName[] = "korvex_gui_tests";
char* argv[] = {programName, nullptr};

}  // namespace

void KorvexWindowTest::SetUpTestSuite() {
  if (QApplication::instance()) return;
  // The user's own machine profiles and settings stay out of the tests.
  static QTemporaryDir configHome;
  qputenv("XDG_CONFIG_HOME", configHome.path().toLocal8Bit());
  auto* application = new QApplication(argc, argv);
  PrepareApplication(*application);
}

void KorvexWindowTest::SetUp() {
  window_ = StartKorvex(prompts_, workspace_, projectArgument_);
  ASSERT_NE(window_, nullptr);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(window_.get()));
  ASSERT_TRUE(waitForFrame());
}

void KorvexWindowTest::TearDown() {
  window_.reset();
}

void KorvexWindowTest::clickButton(int id) {
  QWidget* button = panel().control(id);
  ASSERT_NE(button, nullptr);
  const QPoint centre = button->rect().center();
  QTest::mouseMove(button, centre);
  QTest::mouseClick(button, Qt::LeftButton, Qt::NoModifier, centre);
}

bool KorvexWindowTest::waitForFrame() {
  QSignalSpy frames(&view(), &QOpenGLWidget::frameSwapped);
  view().update();
  return frames.wait(5000);
}

void KorvexWindowTest::movePointer(QPoint at, Qt::MouseButtons buttons,
                                   Qt::KeyboardModifiers modifiers) {
  QMouseEvent move(QEvent::MouseMove, at, view().mapToGlobal(at), Qt::NoButton, buttons, modifiers);
  QApplication::sendEvent(&view(), &move);
}

void KorvexWindowTest::turnWheel(int delta) {
  const QPointF at(100, 100);
  QWheelEvent wheel(at, view().mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QApplication::sendEvent(&view(), &wheel);
}

}  // namespace korvex
