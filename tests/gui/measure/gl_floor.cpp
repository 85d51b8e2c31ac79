// The floor for the figures of scripts/measure-gui: a bare window of the same size with an
// OpenGL view that only clears, in the same kind of context.
#include <GL/gl.h>

#include <QApplication>
#include <QOpenGLWidget>
#include <QSurfaceFormat>
#include <cstdio>

#include "measure_common.h"

namespace {

class ClearingView : public QOpenGLWidget {
 public:
  explicit ClearingView(QWidget* parent) : QOpenGLWidget(parent) {
    QSurfaceFormat format;
    format.setProfile(QSurfaceFormat::CompatibilityProfile);
    format.setDepthBufferSize(16);
    setFormat(format);
    setMouseTracking(true);
  }

 protected:
  void paintGL() override {
    glClearColor(0.9f, 0.95f, 1.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  }
  void mouseMoveEvent(QMouseEvent*) override { update(); }
};

}  // namespace

int main(int argc, char** argv) {
  QApplication application(argc, argv);
  QWidget window;
  window.setFixedSize(1024, 668);
  auto* view = new ClearingView(&window);
  view->setGeometry(204, 104, 812, 555);
  if (argc < 2) {
    window.show();
    return application.exec();  // idle figures are taken from outside
  }
  return korvex::RunMeasurement(argv[1], window, *view, [] {});
}
