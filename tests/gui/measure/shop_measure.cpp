// The shop window measured on a cut list: how long it takes to show, to read the list's parts,
// to show the first part and to nest them all, and the longest time its thread was busy
// meanwhile. With a second argument
// it then saves a picture of the window with its plan.
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTableWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>

#include "qt/korvex_app.h"
#include "qt/part_preview.h"
#include "qt/shop_window.h"
#include "qt/view_widget.h"

namespace {

// The longest gap between ticks of a timer that wants to run at every turn of the event loop.
class StallWatch {
 public:
  StallWatch() {
    QObject::connect(&tick_, &QTimer::timeout, [this] {
      longest_ = std::max(longest_, since_.nsecsElapsed() / 1e6);
      since_.restart();
    });
  }
  void start() {
    longest_ = 0;
    since_.start();
    tick_.start(0);
  }
  double stop() {
    tick_.stop();
    return longest_;
  }

 private:
  QTimer tick_;
  QElapsedTimer since_;
  double longest_ = 0;
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  if (argc < 2) {
    std::fprintf(stderr, "usage: korvex_shop_measure LIST.csv [PICTURE.png]\n");
    return 2;
  }
  korvex::PrepareApplication(application);
  QElapsedTimer clock;
  clock.start();
  korvex::ShopWindow window;
  window.show();
  if (!QTest::qWaitForWindowExposed(&window)) return 1;
  std::printf("shown %.1f ms\n", clock.nsecsElapsed() / 1e6);

  StallWatch watch;
  QSignalSpy read(&window, &korvex::ShopWindow::partsSummarized);
  clock.restart();
  watch.start();
  if (const auto failure = window.openList(QString::fromLocal8Bit(argv[1]))) {
    std::fprintf(stderr, "%s\n", failure->toLocal8Bit().constData());
    return 1;
  }
  if (!read.wait(120000)) return 1;
  std::printf("parts read %.1f ms, longest busy %.1f ms\n", clock.nsecsElapsed() / 1e6,
              watch.stop());

  QSignalSpy drawn(&window.partPreview()->view(), &QOpenGLWidget::frameSwapped);
  clock.restart();
  watch.start();
  window.partsTable()->setCurrentCell(0, 0);
  if (!drawn.wait(120000)) return 1;
  std::printf("part shown %.1f ms, longest busy %.1f ms\n", clock.nsecsElapsed() / 1e6,
              watch.stop());

  QSignalSpy ready(&window, &korvex::ShopWindow::planReady);
  clock.restart();
  watch.start();
  window.nest();
  if (!ready.wait(120000)) return 1;
  std::printf("nested %.1f ms, longest busy %.1f ms\n", clock.nsecsElapsed() / 1e6, watch.stop());
  std::printf("%s\n", window.summary().toLocal8Bit().constData());
  if (argc < 3) return 0;
  QTest::qWait(500);  // the preview's first frames
  const QRect area = window.frameGeometry();
  const QPixmap shot =
      window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  return shot.save(QString::fromLocal8Bit(argv[2])) ? 0 : 1;
}
