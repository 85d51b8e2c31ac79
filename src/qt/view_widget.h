#pragma once

#include <QOpenGLWidget>
#include <QString>
#include <optional>

#include "scene/camera.h"
#include "scene/view_input.h"
#include "scene/view_projection.h"

namespace korvex {

class DrawList;

// The 3D view: replays display list 1, compiled from the scene, through the camera. Dragging
// with the middle button orbits, with the right button pans; the wheel zooms. Every pointer
// move redraws.
class ViewWidget : public QOpenGLWidget {
  Q_OBJECT

 public:
  // scene stays the caller's and is compiled at every showScene().
  ViewWidget(const DrawList& scene, QWidget* parent);
  ~ViewWidget() override;

  // The surface the view asks for: compatibility profile, double buffer, depth >= 16.
  static QSurfaceFormat RequestedFormat();

  // Whether this machine can give the view its OpenGL context; the operator's reason if not.
  static std::optional<QString> ProbeOpenGl();

  // The scene was rebuilt: compile it into display list 1 and redraw.
  void showScene();

  void setInput(const ViewInput& input);
  const ViewInput& input() const { return input_; }
  const Camera& camera() const { return camera_; }
  // The scene point drawn at the world's origin, about which the eye orbits.
  void setSceneOrigin(const Vec3& origin);
  // How the view shows its scene now.
  ViewGeometry viewGeometry() const;

 signals:
  // The context turned out unusable after all; reason is for the operator.
  void setUpFailed(const QString& reason);
  // The left button was pressed and let go at one place.
  void clicked(const QPoint& at);
  // A picture was drawn.
  void drawn();

 protected:
  void initializeGL() override;
  void resizeGL(int width, int height) override;
  void paintGL() override;

  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void compileScene();
  void renderScene();

  const DrawList& scene_;
  ViewInput input_;
  Camera camera_;
  Vec3 origin_{};
  std::optional<QPoint> pressedAt_;  // of the left button
  bool contextReady_ = false;
};

}  // namespace korvex
