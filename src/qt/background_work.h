#pragma once

#include <QObject>
#include <QThread>
#include <functional>
#include <memory>
#include <utility>

namespace korvex {

// Long work runs on threads of its own so that the window never waits for it. Each result is
// handed to its callback on the owner's thread. An owner whose work uses its members calls
// waitForAll() first thing in its destructor.
class BackgroundWork : public QObject {
  Q_OBJECT

 public:
  explicit BackgroundWork(QObject* owner) : QObject(owner) {}
  ~BackgroundWork() override { waitForAll(); }

  template <typename Result>
  void run(std::function<Result()> work, std::function<void(Result)> done) {
    auto result = std::make_shared<Result>();
    QThread* thread = QThread::create([work = std::move(work), result] { *result = work(); });
    thread->setParent(this);
    connect(thread, &QThread::finished, this, [this, thread, result, done = std::move(done)] {
      thread->deleteLater();
      done(std::move(*result));
      emit idle();
    });
    thread->start();
  }

  void waitForAll() {
    for (QThread* thread : findChildren<QThread*>())
      thread->wait();
  }

 signals:
  void idle();
};

}  // namespace korvex
