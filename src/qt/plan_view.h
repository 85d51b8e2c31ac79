#pragma once

#include <QPolygonF>
#include <QString>
#include <QWidget>
#include <vector>

#include "template/cut_sheet.h"

namespace korvex {

// The nested plan drawn to scale as the cut sheet draws it: for each tube its sticks one under
// the other, numbered, each as its unrolled outer surface (0 to 360 degrees round the tube
// downwards) with the parts' true outlines, their holes and names, and the remnant with its
// length. Resting the pointer on a part names it with where it lies on the stick. A plan out
// of date is drawn faded.
class PlanView : public QWidget {
  Q_OBJECT

 public:
  explicit PlanView(QWidget* parent = nullptr);

  void showPlan(const CutSheet& sheet);
  void clear();
  void setOutOfDate(bool outOfDate);

  // What resting the pointer at a point of the widget says; empty over no part.
  QString partAt(const QPointF& point) const;
  // The name drawn on a part, where it lies; empty when there is no such part.
  QString partName(int stick, int part) const;
  // Where a part's outline lies, for pointing at it; empty when there is no such part.
  QRectF partBounds(int stick, int part) const;
  int stickCount() const { return static_cast<int>(sticks_.size()); }
  // The number drawn beside a stick: its place among its tube's sticks, from 1.
  int stickNumber(int stick) const;
  // The holes drawn on a stick's parts.
  int holeCount(int stick) const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  bool event(QEvent* event) override;

 private:
  struct DrawnPart {
    QString name;
    QString place;  // where its steel lies on the stick
    QPolygonF outline;
    int holes = 0;
    std::vector<QPolygonF> holeLines;  // broken at the seam
  };
  struct DrawnStick {
    QString heading;  // the tube's, above its first stick
    int number = 0;
    QRectF stock;
    QString remnant;
    std::vector<DrawnPart> parts;
  };

  void layOut();
  void paintStick(QPainter& painter, const DrawnStick& stick) const;

  CutSheet sheet_;
  std::vector<DrawnStick> sticks_;
  bool outOfDate_ = false;
};

}  // namespace korvex
