#include "screen_pixels.h"

#include <QGuiApplication>
#include <QMatrix4x4>
#include <QScreen>

#include "qt/view_widget.h"

namespace korvex {

QImage GrabViewFromScreen(const ViewWidget& view) {
  const QPoint topLeft = view.mapToGlobal(QPoint(0, 0));
  QScreen* screen = QGuiApplication::primaryScreen();
  return screen->grabWindow(0, topLeft.x(), topLeft.y(), view.width(), view.height()).toImage();
}

QPointF ProjectToView(const ViewWidget& view, QVector3D world) {
  const LookAt camera = view.camera().lookAt(view.input().distance);
  QMatrix4x4 transform;
  transform.perspective(15, float(view.width()) / float(view.height()), 1, 100000);
  transform.lookAt(QVector3D(camera.eyeX, camera.eyeY, camera.eyeZ),
                   QVector3D(camera.centreX, camera.centreY, camera.centreZ), QVector3D(0, 0, 1));
  const QVector3D ndc = transform.map(world);
  return {(ndc.x() + 1) / 2 * view.width(), (1 - ndc.y()) / 2 * view.height()};
}

}  // namespace korvex
