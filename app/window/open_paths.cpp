#include "open_paths.h"

#include <QDir>
#include <QFileInfo>

#include "main_window.h"

namespace ordelix {

QStringList absolute_paths(const QStringList& arguments, const QDir& workingDir) {
  QStringList paths;
  for (const QString& argument : arguments)
    if (!argument.isEmpty()) paths << QDir::cleanPath(workingDir.absoluteFilePath(argument));
  return paths;
}

void open_paths(MainWindow& window, const QStringList& paths) {
  if (paths.size() == 1 && !QFileInfo(paths.front()).isDir()) {
    window.select(paths.front());
    window.convert();
    return;
  }
  window.drop(paths);
}

}  // namespace ordelix
