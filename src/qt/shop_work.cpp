#include "qt/shop_work.h"

#include <QTimer>
#include <mutex>

#include "qt/background_work.h"

namespace korvex {

// The latest report of the running job, written by its thread and read by the timer.
struct ShopWork::Progress {
  std::mutex lock;
  const char* step = "";
  std::size_t done = 0;
  std::size_t total = 0;
  bool fresh = false;
};

ShopWork::ShopWork(QObject* parent)
    : QObject(parent),
      work_(new BackgroundWork(this)),
      tick_(new QTimer(this)),
      progress_(std::make_shared<Progress>()) {
  tick_->setInterval(kProgressInterval);
  connect(tick_, &QTimer::timeout, this, &ShopWork::showProgress);
}

ShopWork::~ShopWork() {
  cancel_ = true;
  work_->waitForAll();
}

void ShopWork::start(ShopJob job, std::function<void(const ShopJob&, ShopJobOutcome)> done) {
  if (busy_) return;
  busy_ = true;
  cancel_ = false;
  {
    const std::lock_guard<std::mutex> hold(progress_->lock);
    progress_->fresh = false;
  }
  auto shared = std::make_shared<ShopJob>(std::move(job));
  work_->run<ShopJobOutcome>(
      [shared, progress = progress_, cancel = &cancel_] {
        return RunShopJob(
            *shared,
            [progress](const char* step, std::size_t done, std::size_t total) {
              const std::lock_guard<std::mutex> hold(progress->lock);
              progress->step = step;
              progress->done = done;
              progress->total = total;
              progress->fresh = true;
            },
            cancel);
      },
      [this, shared, done = std::move(done)](ShopJobOutcome outcome) {
        tick_->stop();
        busy_ = false;
        emit progressed({}, 0, 0);
        emit busyChanged(false);
        done(*shared, std::move(outcome));
      });
  tick_->start();
  emit busyChanged(true);
}

void ShopWork::summarize(std::vector<std::string> paths,
                         std::function<void(PartSummaries)> done) {
  work_->run<PartSummaries>(
      [paths = std::move(paths)] {
        PartSummaries read;
        for (const std::string& path : paths)
          read[path] = SummarizePart(path);
        return read;
      },
      std::move(done));
}

void ShopWork::showProgress() {
  QString step;
  int done = 0, total = 0;
  {
    const std::lock_guard<std::mutex> hold(progress_->lock);
    if (!progress_->fresh) return;
    progress_->fresh = false;
    step = QString::fromLatin1(progress_->step);
    done = static_cast<int>(progress_->done);
    total = static_cast<int>(progress_->total);
  }
  emit progressed(step, done, total);
}

}  // namespace korvex
