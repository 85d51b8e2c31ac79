#pragma once

#include <QString>
#include <QWidget>

namespace korvex {

// How far a long step has come, drawn as a progress bar. Unlike QProgressBar it never repaints
// on the spot: each change asks for one paint with the window's next, so reports cost the
// window nothing while it is busy drawing an OpenGL view.
class ProgressStrip : public QWidget {
  Q_OBJECT

 public:
  explicit ProgressStrip(QWidget* parent = nullptr);

  // done of total, with the step's name; total 0 shows an empty bar.
  void setProgress(const QString& step, int done, int total);
  void reset() { setProgress({}, 0, 0); }
  QString text() const;

  QSize sizeHint() const override;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QString step_;
  int done_ = 0;
  int total_ = 0;
};

}  // namespace korvex
