#include "instance_socket.h"

#include <QDir>
#include <QFileInfo>

namespace ordelix {
namespace {

// A display name may be a path or hold a colon: only plain ASCII goes into a file name.
QString file_name_part(const QString& display) {
  QString part;
  for (QChar c : display) {
    bool plain = c.unicode() < 128 && (c.isLetterOrNumber() || c == '.' || c == '-');
    part += plain ? c : QChar('_');
  }
  return part;
}

}  // namespace

InstanceSocket instance_socket(const QString& runtimeDir, const QString& tempDir, uint uid,
                               const QString& waylandDisplay, const QString& x11Display) {
  QString display = waylandDisplay.isEmpty() ? x11Display : waylandDisplay;
  QString name = QString("ordelix-%1").arg(uid);
  if (!display.isEmpty()) name += '-' + file_name_part(display);
  if (QDir::isAbsolutePath(runtimeDir) && QFileInfo(runtimeDir).isDir())
    return {QDir(runtimeDir).filePath(name), QLocalServer::NoOptions};
  return {QDir(tempDir).filePath(name), QLocalServer::UserAccessOption};
}

}  // namespace ordelix
