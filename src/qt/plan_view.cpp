#include "qt/plan_view.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "base/decimal_text.h"

namespace korvex {
namespace {

constexpr double kMargin = 12;
constexpr double kStickHeight = 36;
constexpr double kStickGap = 22;  // room for the tube's label and the remnant's length
constexpr double kRemnantRoom = 110;

}  // namespace

PlanView::PlanView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setMinimumHeight(80);
}

void PlanView::showPlan(const CutSheet& sheet) {
  sheet_ = sheet;
  layOut();
  updateGeometry();
  update();
}

void PlanView::clear() {
  showPlan({});
}

QSize PlanView::sizeHint() const {
  return {600, static_cast<int>(2 * kMargin + std::max<std::size_t>(sticks_.size(), 1) *
                                                  (kStickHeight + kStickGap))};
}

void PlanView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layOut();
}

// Every stick on one scale, the longest stock across the width left beside the remnants.
void PlanView::layOut() {
  sticks_.clear();
  double longest = 0;
  for (const CutSheetTube& tube : sheet_.tubes)
    longest = std::max(longest, tube.stockLength);
  if (longest <= 0) return;
  const double scale = std::max(1.0, width() - 2 * kMargin - kRemnantRoom) / longest;
  double top = kMargin + kStickGap / 2;
  for (const CutSheetTube& tube : sheet_.tubes) {
    for (const CutSheetStick& stick : tube.sticks) {
      DrawnStick& drawn = sticks_.emplace_back();
      drawn.tube = QString::fromStdString(tube.label);
      drawn.stock = QRectF(kMargin, top, tube.stockLength * scale, kStickHeight);
      drawn.remnant = tr("remnant %1").arg(QString::fromStdString(DecimalText(stick.remnant, 1)));
      for (const CutSheetPart& part : stick.parts) {
        DrawnPart& shape = drawn.parts.emplace_back();
        shape.name = QString::fromStdString(part.name);
        const std::size_t n = part.left.size();
        // Down the left end, round 360 degrees, then up the right end.
        for (std::size_t i = 0; i <= n; ++i)
          shape.outline << QPointF(kMargin + part.left[i % n] * scale,
                                   top + kStickHeight * static_cast<double>(i) / n);
        for (std::size_t i = n + 1; i-- > 0;)
          shape.outline << QPointF(kMargin + part.right[i % n] * scale,
                                   top + kStickHeight * static_cast<double>(i) / n);
      }
      top += kStickHeight + kStickGap;
    }
  }
  setMinimumHeight(static_cast<int>(top + kMargin));
}

void PlanView::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.setRenderHint(QPainter::Antialiasing);
  painter.fillRect(rect(), palette().base());
  if (sticks_.empty()) {
    painter.setPen(palette().color(QPalette::PlaceholderText));
    painter.drawText(rect(), Qt::AlignCenter, tr("Nest the list to see its plan"));
    return;
  }
  for (const DrawnStick& stick : sticks_) {
    painter.setPen(QPen(Qt::darkGray, 1));
    painter.setBrush(QColor(235, 235, 235));
    painter.drawRect(stick.stock);
    painter.setBrush(QColor(120, 170, 220));
    painter.setPen(QPen(QColor(20, 60, 110), 1));
    for (const DrawnPart& part : stick.parts)
      painter.drawPolygon(part.outline);
    painter.setPen(palette().color(QPalette::Text));
    painter.drawText(QPointF(stick.stock.left(), stick.stock.top() - 4), stick.tube);
    painter.drawText(QPointF(stick.stock.right() + 6, stick.stock.center().y() + 4), stick.remnant);
  }
}

QString PlanView::partAt(const QPointF& point) const {
  for (const DrawnStick& stick : sticks_) {
    for (const DrawnPart& part : stick.parts) {
      if (part.outline.containsPoint(point, Qt::OddEvenFill)) return part.name;
    }
  }
  return {};
}

QRectF PlanView::partBounds(int stick, int part) const {
  if (stick < 0 || stick >= stickCount()) return {};
  const auto& parts = sticks_[static_cast<std::size_t>(stick)].parts;
  if (part < 0 || part >= static_cast<int>(parts.size())) return {};
  return parts[static_cast<std::size_t>(part)].outline.boundingRect();
}

bool PlanView::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString name = partAt(help->pos());
    if (name.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), name, this);
    return true;
  }
  return QWidget::event(event);
}

}  // namespace korvex
