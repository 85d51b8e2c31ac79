#include "measure_common.h"

#include <QApplication>
#include <QDateTime>
#include <QElapsedTimer>
#include <QMouseEvent>
#include <QOpenGLWidget>
#include <QScreen>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace korvex {
namespace {

constexpr int kRedraws = 200;

double MillisecondsSince(const char* epochNanoseconds) {
  const qint64 now = QDateTime::currentMSecsSinceEpoch();
  return double(now) - std::strtod(epochNanoseconds, nullptr) / 1e6;
}

bool WaitForFrame(QOpenGLWidget& view) {
  bool drawn = false;
  auto connection = QObject::connect(&view, &QOpenGLWidget::frameSwapped, [&] { drawn = true; });
  QElapsedTimer waited;
  waited.start();
  // The frame is drawn while the update request is handled, without waiting for anything else.
  while (!drawn && waited.elapsed() < 5000)
    QCoreApplication::processEvents();
  QObject::disconnect(connection);
  return drawn;
}

double MedianRedrawMs(QOpenGLWidget& view) {
  std::vector<double> times;
  for (int i = 0; i < kRedraws; ++i) {
    const QPointF at(300 + i % 40, 300);
    QMouseEvent move(QEvent::MouseMove, at, view.mapToGlobal(at), Qt::NoButton, Qt::MiddleButton,
                     Qt::NoModifier);
    QElapsedTimer timer;
    timer.start();
    QApplication::sendEvent(&view, &move);
    if (!WaitForFrame(view)) return -1;
    times.push_back(timer.nsecsElapsed() / 1e6);
  }
  std::nth_element(times.begin(), times.begin() + kRedraws / 2, times.end());
  return times[kRedraws / 2];
}

}  // namespace

int SaveScreenshot(QWidget& window, QOpenGLWidget& view, const char* path) {
  window.show();
  if (!WaitForFrame(view)) return 1;
  QElapsedTimer settled;
  settled.start();
  while (settled.elapsed() < 500)
    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
  const QRect area = window.frameGeometry();
  const QPixmap shot =
      window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  return shot.save(QString::fromLocal8Bit(path)) ? 0 : 1;
}

int RunMeasurement(const char* mode, QWidget& window, QOpenGLWidget& view,
                   const std::function<void()>& prepare) {
  window.show();
  if (!WaitForFrame(view)) return 1;
  if (std::strcmp(mode, "first-frame") == 0) {
    const char* start = std::getenv("KORVEX_MEASURE_T0");
    std::printf("first-frame %.1f\n", start ? MillisecondsSince(start) : -1.0);
    return 0;
  }
  if (std::strcmp(mode, "redraw") == 0) {
    prepare();
    WaitForFrame(view);
    std::printf("redraw %.2f\n", MedianRedrawMs(view));
    return 0;
  }
  std::fprintf(stderr, "unknown mode %s\n", mode);
  return 2;
}

}  // namespace korvex
