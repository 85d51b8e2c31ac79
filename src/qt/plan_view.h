#pragma once

#include <QPolygonF>
#include <QString>
#include <QWidget>
#include <vector>

#include "template/cut_sheet.h"

namespace korvex {

// The nested plan drawn to scale: for each tube its sticks one under the other, each as its
// unrolled outer surface (0 to 360 degrees round the tube downwards) with the parts' true
// outlines, the remnant with its length. Resting the pointer on a part names it.
class PlanView : public QWidget {
  Q_OBJECT

 public:
  explicit PlanView(QWidget* parent = nullptr);

  void showPlan(const CutSheet& sheet);
  void clear();

  // The name of the part under a point of the widget; empty over no part.
  QString partAt(const QPointF& point) const;
  // Where a part's outline lies, for pointing at it; empty when there is no such part.
  QRectF partBounds(int stick, int part) const;
  int stickCount() const { return static_cast<int>(sticks_.size()); }

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  struct DrawnPart {
    QString name;
    QPolygonF outline;
  };
  struct DrawnStick {
    QString tube;
    QRectF stock;
    QString remnant;
    std::vector<DrawnPart> parts;
  };

  void layOut();

  CutSheet sheet_;
  std::vector<DrawnStick> sticks_;
};

}  // namespace korvex
