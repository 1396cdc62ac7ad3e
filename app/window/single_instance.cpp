#include "single_instance.h"

#include <sys/socket.h>
#include <unistd.h>

#include <QEventLoop>
#include <QLocalSocket>
#include <QLockFile>
#include <QTimer>
#include <optional>

#include "handover_message.h"

namespace ordelix {
namespace {

// The socket's permissions should already keep other users out; this holds
// when they do not, as for a socket another user left on a shared folder.
bool peer_is_this_user(qintptr descriptor) {
  ucred peer{};
  socklen_t size = sizeof peer;
  return ::getsockopt(static_cast<int>(descriptor), SOL_SOCKET, SO_PEERCRED, &peer, &size) == 0 &&
         peer.uid == ::geteuid();
}

void drop(QLocalSocket* sender) {
  sender->abort();
  sender->deleteLater();
}

}  // namespace

SingleInstance::SingleInstance(InstanceSocket socket, std::chrono::milliseconds patience,
                               QObject* parent)
    : QObject(parent), socket_(std::move(socket)), patience_(patience) {
  connect(&server_, &QLocalServer::newConnection, this, &SingleInstance::accept);
}

SingleInstance::Claim SingleInstance::claim(const QStringList& paths) {
  QByteArray frame = handover_frame(paths);
  // Better a window of its own than paths lost.
  if (frame.isEmpty()) return Claim::alone;
  // Two instances started at once must not both find nobody and both serve.
  QLockFile lock(socket_.path + ".lock");
  if (!lock.tryLock(static_cast<int>(patience_.count()))) return Claim::alone;
  switch (handOver(frame)) {
    case HandOver::taken:
      return Claim::handedOver;
    case HandOver::refused:
      return Claim::alone;
    case HandOver::nobodyListening:
      break;
  }
  return listen() ? Claim::serving : Claim::alone;
}

SingleInstance::HandOver SingleInstance::handOver(const QByteArray& frame) {
  // Waits in an event loop rather than blocking, so that a server of this
  // thread is served meanwhile.
  std::optional<HandOver> outcome;
  bool connected = false;
  QLocalSocket socket;
  QEventLoop loop;
  auto end = [&](HandOver how) {
    if (outcome) return;
    outcome = how;
    loop.quit();
  };
  connect(&socket, &QLocalSocket::connected, &loop, [&] {
    connected = true;
    if (!peer_is_this_user(socket.socketDescriptor())) return end(HandOver::refused);
    socket.write(frame);
  });
  connect(&socket, &QLocalSocket::readyRead, &loop, [&] {
    end(socket.read(1) == QByteArray(1, handover_taken) ? HandOver::taken : HandOver::refused);
  });
  connect(&socket, &QLocalSocket::errorOccurred, &loop, [&](QLocalSocket::LocalSocketError error) {
    // No socket, or one that nobody listens on any more, left by a crash.
    bool nobody = !connected && (error == QLocalSocket::ServerNotFoundError ||
                                 error == QLocalSocket::ConnectionRefusedError);
    end(nobody ? HandOver::nobodyListening : HandOver::refused);
  });
  QTimer::singleShot(patience_, &loop, [&] { end(HandOver::refused); });
  socket.connectToServer(socket_.path);
  if (!outcome) loop.exec();
  return *outcome;
}

bool SingleInstance::listen() {
  server_.setSocketOptions(socket_.options);
  if (server_.listen(socket_.path)) return true;
  // Nobody answered on it, and the lock keeps others from starting meanwhile:
  // the socket is a crashed instance's.
  if (server_.serverError() != QAbstractSocket::AddressInUseError) return false;
  QLocalServer::removeServer(socket_.path);
  return server_.listen(socket_.path);
}

void SingleInstance::accept() {
  while (QLocalSocket* sender = server_.nextPendingConnection()) {
    if (!peer_is_this_user(sender->socketDescriptor())) {
      drop(sender);
      continue;
    }
    sender->setReadBufferSize(handover_header_bytes + handover_max_body_bytes);
    connect(sender, &QLocalSocket::readyRead, sender, [this, sender] { read(sender); });
    connect(sender, &QLocalSocket::disconnected, sender, &QObject::deleteLater);
    QTimer::singleShot(patience_, sender, [sender] { drop(sender); });
  }
}

void SingleInstance::read(QLocalSocket* sender) {
  // Once answered, or once the sender gave up waiting and may have opened a
  // window of its own, nothing more is taken from it.
  if (sender->state() != QLocalSocket::ConnectedState) return;
  if (sender->bytesAvailable() < handover_header_bytes) return;
  qsizetype length = handover_body_length(sender->peek(handover_header_bytes));
  if (length < 0) return drop(sender);
  if (sender->bytesAvailable() < handover_header_bytes + length) return;
  sender->skip(handover_header_bytes);
  std::optional<QStringList> paths = handover_paths(sender->read(length));
  if (!paths) return drop(sender);
  sender->write(QByteArray(1, handover_taken));
  sender->flush();
  sender->disconnectFromServer();
  // Queued: opening them may show a modal dialog, and the sender waits for
  // this answer, not for the user.
  QMetaObject::invokeMethod(
      this, [this, received = *std::move(paths)] { emit pathsReceived(received); },
      Qt::QueuedConnection);
}

}  // namespace ordelix
