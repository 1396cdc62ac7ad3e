#pragma once

#include <QLocalServer>
#include <QString>

namespace ordelix {

// Where the instances of one user on one display meet.
struct InstanceSocket {
  QString path;
  QLocalServer::SocketOptions options = QLocalServer::NoOptions;
};

// In the user's runtime folder when there is one; else in the temporary
// folder, where the socket itself has to keep other users out. Keyed by user
// and display, so that each display of a user has a window of its own.
InstanceSocket instance_socket(const QString& runtimeDir, const QString& tempDir, uint uid,
                               const QString& waylandDisplay, const QString& x11Display);

}  // namespace ordelix
