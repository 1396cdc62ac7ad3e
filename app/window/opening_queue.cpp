#include "opening_queue.h"

#include <QApplication>
#include <utility>

namespace ordelix {

OpeningQueue::OpeningQueue(std::function<void(const QStringList&)> open, QObject* parent)
    : QObject(parent), open_(std::move(open)) {
  // Qt tells nobody when a dialog's question ends: look again now and then.
  retry_.setInterval(250);
  retry_.setSingleShot(true);
  connect(&retry_, &QTimer::timeout, this, &OpeningQueue::openWhenFree);
}

void OpeningQueue::add(const QStringList& paths) {
  waiting_ << paths;
  openWhenFree();
}

void OpeningQueue::openWhenFree() {
  // The list being opened may ask something; the rest follow once it is answered.
  if (opening_) return;
  if (QApplication::activeModalWidget() != nullptr) {
    retry_.start();
    return;
  }
  opening_ = true;
  while (!waiting_.isEmpty()) open_(waiting_.takeFirst());
  opening_ = false;
}

}  // namespace ordelix
