#include "qt/progress_strip.h"

#include <QPainter>
#include <QStyleOptionProgressBar>

namespace korvex {

ProgressStrip::ProgressStrip(QWidget* parent) : QWidget(parent) {
  setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

void ProgressStrip::setProgress(const QString& step, int done, int total) {
  if (step == step_ && done == done_ && total == total_) return;
  step_ = step;
  done_ = done;
  total_ = total;
  update();
}

QString ProgressStrip::text() const {
  if (total_ <= 0) return {};
  return tr("%1 %2 / %3").arg(step_).arg(done_).arg(total_);
}

QSize ProgressStrip::sizeHint() const {
  return {200, fontMetrics().height() + 8};
}

void ProgressStrip::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  QStyleOptionProgressBar bar;
  bar.initFrom(this);
  bar.minimum = 0;
  bar.maximum = std::max(total_, 1);
  bar.progress = total_ > 0 ? std::clamp(done_, 0, total_) : 0;
  bar.text = text();
  bar.textVisible = true;
  bar.textAlignment = Qt::AlignCenter;
  style()->drawControl(QStyle::CE_ProgressBar, &bar, &painter, this);
}

}  // namespace korvex
