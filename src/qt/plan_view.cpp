#include "qt/plan_view.h"

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>
#include <algorithm>

#include "base/decimal_text.h"

namespace korvex {
namespace {

constexpr double kMargin = 12;
constexpr double kNumberRoom = 34;  // the stick's number left of it
constexpr double kStickHeight = 40;
constexpr double kNameRows = 3;    // names under a stick, staggered where they would touch
constexpr double kRowHeight = 15;  // of a name, and of a tube's heading
constexpr double kStickGap = kNameRows * kRowHeight + 8;
constexpr double kRemnantRoom = 110;

QString Qs(const std::string& text) {
  return QString::fromStdString(text);
}

}  // namespace

PlanView::PlanView(QWidget* parent) : QWidget(parent) {
  setMouseTracking(true);
  setMinimumHeight(80);
}

void PlanView::showPlan(const CutSheet& sheet) {
  sheet_ = sheet;
  outOfDate_ = false;
  layOut();
  updateGeometry();
  update();
}

void PlanView::clear() {
  showPlan({});
}

void PlanView::setOutOfDate(bool outOfDate) {
  if (outOfDate == outOfDate_) return;
  outOfDate_ = outOfDate;
  update();
}

QSize PlanView::sizeHint() const {
  return {600, static_cast<int>(2 * kMargin + std::max<std::size_t>(sticks_.size(), 1) *
                                                  (kStickHeight + kStickGap))};
}

void PlanView::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  layOut();
}

// Every stick on one scale, the longest stock across the width left beside the numbers and
// the remnants.
void PlanView::layOut() {
  sticks_.clear();
  double longest = 0;
  for (const CutSheetTube& tube : sheet_.tubes)
    longest = std::max(longest, tube.stockLength);
  if (longest <= 0) return;
  const double left = kMargin + kNumberRoom;
  const double scale = std::max(1.0, width() - left - kMargin - kRemnantRoom) / longest;
  const auto v = [](double top, double degrees) { return top + kStickHeight * degrees / 360; };
  double top = kMargin;
  for (const CutSheetTube& tube : sheet_.tubes) {
    int number = 0;
    top += kRowHeight + 4;  // the tube's heading
    for (const CutSheetStick& stick : tube.sticks) {
      DrawnStick& drawn = sticks_.emplace_back();
      if (number == 0)
        drawn.heading = tr("Tube %1, stock %2 mm").arg(Qs(tube.label), Qs(DecimalText(tube.stockLength, 3)));
      drawn.number = ++number;
      drawn.stock = QRectF(left, top, tube.stockLength * scale, kStickHeight);
      drawn.remnant = tr("remnant %1").arg(Qs(DecimalText(stick.remnant, 1)));
      for (const CutSheetPart& part : stick.parts) {
        DrawnPart& shape = drawn.parts.emplace_back();
        shape.name = Qs(part.name);
        const auto n = part.left.size();
        const double from = *std::min_element(part.left.begin(), part.left.end());
        const double to = *std::max_element(part.right.begin(), part.right.end());
        shape.place = tr("%1 mm to %2 mm along stick %3")
                          .arg(Qs(DecimalText(from, 1)), Qs(DecimalText(to, 1)))
                          .arg(number);
        // Down the left end, round 360 degrees, then up the right end.
        for (std::size_t i = 0; i <= n; ++i)
          shape.outline << QPointF(left + part.left[i % n] * scale, v(top, 360.0 * i / n));
        for (std::size_t i = n + 1; i-- > 0;)
          shape.outline << QPointF(left + part.right[i % n] * scale, v(top, 360.0 * i / n));
        shape.holes = static_cast<int>(part.holes.size());
        for (const auto& hole : part.holes) {
          for (const auto& piece : UnrolledPieces(hole)) {
            QPolygonF& line = shape.holeLines.emplace_back();
            for (const StickPoint& p : piece)
              line << QPointF(left + p.x * scale, v(top, p.degrees));
          }
        }
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
    painter.drawText(rect(), Qt::AlignCenter, tr("Nest the list (F5) to see its plan"));
    return;
  }
  if (outOfDate_) painter.setOpacity(0.35);
  for (const DrawnStick& stick : sticks_)
    paintStick(painter, stick);
}

void PlanView::paintStick(QPainter& painter, const DrawnStick& stick) const {
  const QColor text = palette().color(QPalette::Text);
  painter.setPen(text);
  if (!stick.heading.isEmpty())
    painter.drawText(QPointF(stick.stock.left(), stick.stock.top() - 6), stick.heading);
  painter.drawText(QRectF(kMargin, stick.stock.top(), kNumberRoom - 6, kStickHeight),
                   Qt::AlignRight | Qt::AlignVCenter, QString::number(stick.number));
  painter.setPen(QPen(Qt::darkGray, 1));
  painter.setBrush(QColor(235, 235, 235));
  painter.drawRect(stick.stock);
  const QFontMetricsF metrics(painter.font());
  std::vector<double> rowEnds(static_cast<std::size_t>(kNameRows), -1e9);
  for (const DrawnPart& part : stick.parts) {
    painter.setBrush(QColor(120, 170, 220));
    painter.setPen(QPen(QColor(20, 60, 110), 1));
    painter.drawPolygon(part.outline);
    painter.setBrush(Qt::NoBrush);
    for (const QPolygonF& line : part.holeLines)
      painter.drawPolyline(line);
    // The name under the part, in rows as on the cut sheet.
    const QRectF bounds = part.outline.boundingRect();
    const double width = metrics.horizontalAdvance(part.name);
    const double start = bounds.center().x() - width / 2;
    const std::size_t row = NameRow(rowEnds, start, width, 4);
    painter.setPen(text);
    painter.drawText(QPointF(start, stick.stock.bottom() + metrics.ascent() + 1 +
                                        static_cast<double>(row) * kRowHeight),
                     part.name);
  }
  painter.drawText(QPointF(stick.stock.right() + 6, stick.stock.center().y() + 4), stick.remnant);
}

QString PlanView::partAt(const QPointF& point) const {
  for (const DrawnStick& stick : sticks_) {
    for (const DrawnPart& part : stick.parts) {
      if (part.outline.containsPoint(point, Qt::OddEvenFill))
        return part.name + QStringLiteral(": ") + part.place;
    }
  }
  return {};
}

QString PlanView::partName(int stick, int part) const {
  if (stick < 0 || stick >= stickCount()) return {};
  const auto& parts = sticks_[static_cast<std::size_t>(stick)].parts;
  if (part < 0 || part >= static_cast<int>(parts.size())) return {};
  return parts[static_cast<std::size_t>(part)].name;
}

QRectF PlanView::partBounds(int stick, int part) const {
  if (partName(stick, part).isNull()) return {};
  return sticks_[static_cast<std::size_t>(stick)]
      .parts[static_cast<std::size_t>(part)]
      .outline.boundingRect();
}

int PlanView::stickNumber(int stick) const {
  if (stick < 0 || stick >= stickCount()) return 0;
  return sticks_[static_cast<std::size_t>(stick)].number;
}

int PlanView::holeCount(int stick) const {
  if (stick < 0 || stick >= stickCount()) return 0;
  int holes = 0;
  for (const DrawnPart& part : sticks_[static_cast<std::size_t>(stick)].parts)
    holes += part.holes;
  return holes;
}

bool PlanView::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip) {
    const auto* help = static_cast<QHelpEvent*>(event);
    const QString text = partAt(help->pos());
    if (text.isEmpty())
      QToolTip::hideText();
    else
      QToolTip::showText(help->globalPos(), text, this);
    return true;
  }
  return QWidget::event(event);
}

}  // namespace korvex
