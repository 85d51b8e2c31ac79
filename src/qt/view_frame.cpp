#include "qt/view_frame.h"

#include <QMouseEvent>
#include <QVBoxLayout>

namespace korvex {
namespace {

PixelBox BoxOf(const QRect& rect) {
  return {rect.x(), rect.y(), rect.width(), rect.height()};
}

Qt::CursorShape SizingCursor(int edges) {
  const bool horizontal = edges & (kLeftEdge | kRightEdge);
  const bool vertical = edges & (kTopEdge | kBottomEdge);
  if (horizontal && vertical) {
    const bool falling = ((edges & kLeftEdge) != 0) == ((edges & kTopEdge) != 0);
    return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
  }
  if (horizontal) return Qt::SizeHorCursor;
  if (vertical) return Qt::SizeVerCursor;
  return Qt::ArrowCursor;
}

}  // namespace

ViewFrame::ViewFrame(QRect geometry, QWidget* parent)
    : QFrame(parent), freeAreaCorner_(geometry.topLeft()) {
  setFrameStyle(QFrame::Panel | QFrame::Raised);
  setLineWidth(kBorder);
  setGeometry(geometry);
  setMouseTracking(true);  // the cursor shows which edges a drag would move
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
}

void ViewFrame::showSizingCursor(int edges) {
  setCursor(SizingCursor(edges));
}

void ViewFrame::mousePressEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  grabbedEdges_ = event->button() == Qt::LeftButton
                      ? EdgesAt(width(), height(), at.x(), at.y(), kBorder)
                      : kNoEdge;
  grabbedAt_ = event->globalPosition().toPoint();
  startBox_ = BoxOf(geometry());
}

void ViewFrame::mouseMoveEvent(QMouseEvent* event) {
  if (grabbedEdges_ == kNoEdge) {
    const QPoint at = event->position().toPoint();
    showSizingCursor(EdgesAt(width(), height(), at.x(), at.y(), kBorder));
    return;
  }
  const QPoint moved = event->globalPosition().toPoint() - grabbedAt_;
  const QRect freeArea(freeAreaCorner_, parentWidget()->rect().bottomRight());
  const PixelBox box =
      DraggedBox(startBox_, grabbedEdges_, moved.x(), moved.y(), kMinimumSize, BoxOf(freeArea));
  setGeometry(box.x, box.y, box.width, box.height);
}

void ViewFrame::mouseReleaseEvent(QMouseEvent*) {
  grabbedEdges_ = kNoEdge;
}

}  // namespace korvex
