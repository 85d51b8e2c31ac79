#pragma once

#include <QFrame>
#include <QPoint>

#include "scene/sizing_border.h"

namespace korvex {

// The 3D view's frame: a sizing border the user can drag to make the view larger or smaller
// within the main window.
class ViewFrame : public QFrame {
  Q_OBJECT

 public:
  static constexpr int kBorder = 4;
  static constexpr int kMinimumSize = 40;

  ViewFrame(QRect geometry, QWidget* parent);

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void showSizingCursor(int edges);

  QPoint freeAreaCorner_;  // the panel lies above and left of it: the frame stays clear of it
  int grabbedEdges_ = kNoEdge;
  QPoint grabbedAt_;
  PixelBox startBox_{};
};

}  // namespace korvex
