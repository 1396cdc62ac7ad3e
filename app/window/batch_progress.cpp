#include "batch_progress.h"

#include <QEventLoop>
#include <QTimer>
#include <mutex>
#include <thread>

#include "window_dialogs.h"

namespace ordelix {
namespace {

// Polled by the window's thread while the batch runs on its own.
class SharedProgress : public BatchObserver {
 public:
  void progressed(const BatchProgress& progress) override {
    std::lock_guard lock(mutex_);
    progress_ = progress;
  }

  BatchProgress snapshot() {
    std::lock_guard lock(mutex_);
    return progress_;
  }

 private:
  std::mutex mutex_;
  BatchProgress progress_;
};

}  // namespace

bool batch_run_with_progress(QWidget* parent, WindowDialogs& dialogs, int total,
                             const BatchWork& work) {
  std::atomic<bool> cancel{false};
  std::atomic<bool> finished{false};
  SharedProgress shared;
  std::thread batch([&] {
    work(shared, cancel);
    finished = true;
  });

  std::unique_ptr<BatchProgressView> view = dialogs.showProgress(parent, total);
  QEventLoop loop;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &loop, [&] {
    view->update(shared.snapshot());
    if (view->cancelled()) cancel = true;
    if (finished) loop.quit();
  });
  poll.start(50);
  loop.exec();
  batch.join();
  return cancel;
}

}  // namespace ordelix
