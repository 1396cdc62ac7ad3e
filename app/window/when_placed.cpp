#include "when_placed.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>
#include <QWindow>
#include <utility>

namespace ordelix {
namespace {

class PlacementWatch : public QObject {
 public:
  PlacementWatch(QWidget& window, std::chrono::milliseconds latest, std::function<void()> action)
      : QObject(&window), action_(std::move(action)) {
    QWindow* handle = window.windowHandle();
    if (handle != nullptr && handle->isExposed())
      QTimer::singleShot(0, this, &PlacementWatch::run);
    else if (handle != nullptr)
      handle->installEventFilter(this);
    QTimer::singleShot(latest, this, &PlacementWatch::run);
  }

  bool eventFilter(QObject* watched, QEvent* event) override {
    // Queued: the action may open a modal dialog, not to be run inside an expose.
    if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed())
      QTimer::singleShot(0, this, &PlacementWatch::run);
    return false;
  }

 private:
  void run() {
    if (!action_) return;
    std::function<void()> action = std::exchange(action_, nullptr);
    action();
    deleteLater();
  }

  std::function<void()> action_;
};

}  // namespace

void when_placed(QWidget& window, std::chrono::milliseconds latest, std::function<void()> action) {
  new PlacementWatch(window, latest, std::move(action));
}

}  // namespace ordelix
