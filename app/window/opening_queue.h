#pragma once

#include <QList>
#include <QObject>
#include <QStringList>
#include <QTimer>
#include <functional>

namespace ordelix {

// Paths handed over by later instances, opened one list at a time, and only
// while the window asks nothing: opened during a question, they would nest a
// second one in it, or change the files of a batch being converted.
class OpeningQueue : public QObject {
 public:
  explicit OpeningQueue(std::function<void(const QStringList&)> open, QObject* parent = nullptr);

  void add(const QStringList& paths);

 private:
  void openWhenFree();

  std::function<void(const QStringList&)> open_;
  QList<QStringList> waiting_;
  QTimer retry_;
  bool opening_ = false;
};

}  // namespace ordelix
