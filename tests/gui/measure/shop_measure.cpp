// The shop window measured on a cut list: how long it takes to show, to read the list's parts
// (its first part shown) and to nest them all, and the longest time its thread was busy
// meanwhile (the slowest answer a user gets). With --cancel-after it presses Escape that long
// into the nest instead and times how long the window takes to be idle again. With a picture
// name it then saves a picture of the window with its plan; --part-picture saves one with the
// first part shown, before nesting. A frame (.kvxf) is timed from its file to its parts listed
// and drawn; --frame-picture saves a picture of the window with the frame in 3D.
//
//   korvex_shop_measure LIST.csv|FRAME.kvxf [PICTURE.png] [--size 1600x1000]
//                       [--cancel-after SECONDS] [--part-picture PICTURE.png]
//                       [--frame-picture PICTURE.png]
#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstring>

#include "qt/frame_pane.h"
#include "qt/korvex_app.h"
#include "qt/part_preview.h"
#include "qt/results_pane.h"
#include "qt/shop_window.h"
#include "qt/view_widget.h"

namespace {

constexpr int kLongest = 300000;

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

struct Options {
  const char* list = nullptr;
  const char* picture = nullptr;
  const char* partPicture = nullptr;  // the window with its first part shown, before nesting
  const char* framePicture = nullptr;  // the window with its frame in 3D
  QSize size;
  double cancelAfter = -1;  // seconds into the nest; negative: nest to the end
};

bool ReadOptions(int argc, char** argv, Options& options) {
  for (int i = 1; i < argc; ++i) {
    const bool hasValue = i + 1 < argc;
    if (std::strcmp(argv[i], "--size") == 0 && hasValue) {
      int width = 0, height = 0;
      if (std::sscanf(argv[++i], "%dx%d", &width, &height) != 2) return false;
      options.size = QSize(width, height);
    } else if (std::strcmp(argv[i], "--part-picture") == 0 && hasValue) {
      options.partPicture = argv[++i];
    } else if (std::strcmp(argv[i], "--frame-picture") == 0 && hasValue) {
      options.framePicture = argv[++i];
    } else if (std::strcmp(argv[i], "--cancel-after") == 0 && hasValue) {
      options.cancelAfter = QString::fromLatin1(argv[++i]).toDouble();
    } else if (!options.list) {
      options.list = argv[i];
    } else if (!options.picture) {
      options.picture = argv[i];
    } else {
      return false;
    }
  }
  return options.list != nullptr;
}

bool SaveWindow(QWidget& window, const char* path) {
  const QRect area = window.frameGeometry();
  const QPixmap shot =
      window.screen()->grabWindow(0, area.x(), area.y(), area.width(), area.height());
  return shot.save(QString::fromLocal8Bit(path));
}

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  Options options;
  if (!ReadOptions(argc, argv, options)) {
    std::fprintf(stderr,
                 "usage: korvex_shop_measure LIST.csv [PICTURE.png] [--size WxH] "
                 "[--cancel-after SECONDS] [--part-picture PICTURE.png] "
                 "[--frame-picture PICTURE.png]\n");
    return 2;
  }
  korvex::PrepareApplication(application);
  QElapsedTimer clock;
  clock.start();
  korvex::ShopWindow window;
  if (options.size.isValid()) window.resize(options.size);
  window.show();
  window.activateWindow();  // as a user's window is, so that its keys work
  if (!QTest::qWaitForWindowActive(&window)) return 1;
  std::printf("shown %.1f ms at %dx%d\n", clock.nsecsElapsed() / 1e6, window.width(),
              window.height());

  StallWatch watch;
  QSignalSpy read(&window, &korvex::ShopWindow::partsSummarized);
  QSignalSpy drawn(&window.partPreview()->view(), &QOpenGLWidget::frameSwapped);
  clock.restart();
  watch.start();
  if (const auto failure = window.openList(QString::fromLocal8Bit(options.list))) {
    std::fprintf(stderr, "%s\n", failure->toLocal8Bit().constData());
    return 1;
  }
  if (window.session().frame()) {
    // A frame's parts are listed as it opens; its picture follows.
    QSignalSpy frameDrawn(&window.framePane()->view(), &QOpenGLWidget::frameSwapped);
    if (!frameDrawn.wait(kLongest)) return 1;
    std::printf("frame opened and drawn %.1f ms, longest busy %.1f ms\n",
                clock.nsecsElapsed() / 1e6, watch.stop());
    QTest::qWait(500);
    if (options.framePicture && !SaveWindow(window, options.framePicture)) return 1;
  } else {
    if (!read.wait(kLongest)) return 1;
    std::printf("parts read %.1f ms, longest busy %.1f ms\n", clock.nsecsElapsed() / 1e6,
                watch.stop());
  }

  // Opening the list shows its first part; a frame shows the frame instead.
  if (!window.session().frame()) {
    if (drawn.isEmpty() && !drawn.wait(kLongest)) return 1;
    QTest::qWait(500);  // the preview's first frames
    if (options.partPicture && !SaveWindow(window, options.partPicture)) return 1;
  }

  QSignalSpy ready(&window, &korvex::ShopWindow::planReady);
  QSignalSpy failed(&window, &korvex::ShopWindow::planFailed);
  qint64 cancelledAt = -1;
  if (options.cancelAfter >= 0) {
    const auto after = static_cast<int>(options.cancelAfter * 1000);
    QTimer::singleShot(after, &window, [&, after] {
      cancelledAt = after * qint64{1000000};  // when the key was pressed, not when it came
      QTest::keyClick(&window, Qt::Key_Escape);
    });
  }
  clock.restart();
  watch.start();
  window.nest();
  if (!QTest::qWaitFor([&] { return !ready.isEmpty() || !failed.isEmpty(); }, kLongest)) return 1;
  const double ended = clock.nsecsElapsed() / 1e6;
  std::printf("%s %.1f ms, longest busy %.1f ms\n", ready.isEmpty() ? "stopped" : "nested", ended,
              watch.stop());
  if (cancelledAt >= 0)
    std::printf("escape to idle %.1f ms\n", ended - static_cast<double>(cancelledAt) / 1e6);
  std::printf("%s\n", window.results()->banner().toLocal8Bit().constData());
  if (!options.picture) return 0;
  QTest::qWait(500);
  return SaveWindow(window, options.picture) ? 0 : 1;
}
