#pragma once

#include <QLocalServer>
#include <QObject>
#include <QStringList>
#include <chrono>

#include "instance_socket.h"

class QLocalSocket;

namespace ordelix {

// One window per user and display: the first instance serves a local socket,
// and each later one hands it the paths it was given instead of opening a
// window of its own.
class SingleInstance : public QObject {
  Q_OBJECT

 public:
  enum class Claim {
    handedOver,  // the running instance took the paths; nothing is left to do
    serving,     // none was running; this one takes the paths of later ones
    alone,       // one runs but did not take them in time, or the socket is unusable
  };

  // `patience` bounds each wait: for the lock, for the running instance's
  // answer, and for a sender to finish its message.
  SingleInstance(InstanceSocket socket, std::chrono::milliseconds patience,
                 QObject* parent = nullptr);

  Claim claim(const QStringList& paths);

 signals:
  // The paths a later instance handed over, in its order; empty when it was given none.
  void pathsReceived(const QStringList& paths);

 private:
  enum class HandOver { taken, nobodyListening, refused };

  HandOver handOver(const QByteArray& frame);
  bool listen();
  void accept();
  void read(QLocalSocket* sender);

  InstanceSocket socket_;
  std::chrono::milliseconds patience_;
  QLocalServer server_;
};

}  // namespace ordelix
