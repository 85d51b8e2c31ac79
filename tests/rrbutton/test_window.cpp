#include "test_window.h"

#include <QApplication>
#include <QCursor>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include "rrbutton_notify_event.h"

namespace korvex::testing {
namespace {

const QPoint kWindowPosition(100, 100);
const QSize kWindowSize(400, 300);
const QPoint kParkedPointer(1270, 1010);

}  // namespace

TestWindow::TestWindow() {
  setWindowTitle(QStringLiteral("rrbutton test"));
  setGeometry(QRect(kWindowPosition, kWindowSize));
}

bool TestWindow::showAndActivate() {
  show();
  if (!QTest::qWaitForWindowExposed(this)) return false;
  activateWindow();
  return QTest::qWaitForWindowActive(this);
}

int TestWindow::count(unsigned message) const {
  return static_cast<int>(std::count_if(notifications_.begin(), notifications_.end(),
                                        [&](const auto& n) { return n.message == message; }));
}

bool TestWindow::event(QEvent* event) {
  if (event->type() != RRButtonNotifyEvent::eventType()) return QWidget::event(event);
  const auto* notification = static_cast<RRButtonNotifyEvent*>(event);
  notifications_.push_back({notification->message(), notification->wParam(), notification->lParam(),
                            notification->button()});
  return true;
}

PaintCounter::PaintCounter(QWidget* widget) {
  widget->installEventFilter(this);
}

bool PaintCounter::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Paint) ++paints_;
  return QObject::eventFilter(watched, event);
}

void MovePointer(RRButton* button, QPoint local, Qt::MouseButtons held) {
  const QPoint global = button->mapToGlobal(local);
  QCursor::setPos(global);
  QMouseEvent move(QEvent::MouseMove, local, global, Qt::NoButton, held, Qt::NoModifier);
  QApplication::sendEvent(button, &move);
}

void ParkPointer() {
  QCursor::setPos(kParkedPointer);
}

void PressAt(RRButton* button, QPoint local) {
  QCursor::setPos(button->mapToGlobal(local));
  QTest::mousePress(button, Qt::LeftButton, Qt::NoModifier, local);
}

void ReleaseAt(RRButton* button, QPoint local) {
  QCursor::setPos(button->mapToGlobal(local));
  QTest::mouseRelease(button, Qt::LeftButton, Qt::NoModifier, local);
}

void DoubleClickAt(RRButton* button, QPoint local) {
  QCursor::setPos(button->mapToGlobal(local));
  QTest::mouseDClick(button, Qt::LeftButton, Qt::NoModifier, local);
}

QTimer* HoverTimer(RRButton* button) {
  return button->findChild<QTimer*>();
}

void TickHoverTimer(RRButton* button) {
  QTimer* timer = HoverTimer(button);
  QTimerEvent tick(timer->timerId());
  QApplication::sendEvent(timer, &tick);
}

QImage Render(RRButton* button) {
  return button->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

}  // namespace korvex::testing
