#pragma once

#include <QObject>
#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/cut_list_document.h"
#include "app/shop_job.h"

class QTimer;

namespace korvex {

class BackgroundWork;

// Nesting, writing and reading a list's parts, off the window's thread. Progress reaches the
// window at most ten times a second, on a timer of the window's thread, so a busy worker never
// floods the window with events.
class ShopWork : public QObject {
  Q_OBJECT

 public:
  static constexpr int kProgressInterval = 100;  // ms

  explicit ShopWork(QObject* parent);
  ~ShopWork() override;

  // True while a job runs.
  bool busy() const { return busy_; }
  // Runs the job; done follows on the window's thread. One job at a time.
  void start(ShopJob job, std::function<void(const ShopJob&, ShopJobOutcome)> done);
  // The job stops at its next step, leaving nothing written.
  void cancel() { cancel_ = true; }

  // Reads what each part file holds; done follows on the window's thread.
  void summarize(std::vector<std::string> paths, std::function<void(PartSummaries)> done);

 signals:
  void progressed(const QString& step, int done, int total);
  void busyChanged(bool busy);

 private:
  struct Progress;
  void showProgress();

  BackgroundWork* work_;
  QTimer* tick_;
  std::shared_ptr<Progress> progress_;
  std::atomic<bool> cancel_{false};
  bool busy_ = false;
};

}  // namespace korvex
