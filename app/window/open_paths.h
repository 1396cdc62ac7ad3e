#pragma once

#include <QStringList>

class QDir;

namespace ordelix {

class MainWindow;

// The command line's paths made absolute against `workingDir`, so that another
// instance, started elsewhere, finds the same files. Empty arguments name nothing.
QStringList absolute_paths(const QStringList& arguments, const QDir& workingDir);

// What `ordelix PATH...` does with its paths: one file is converted and shown
// as Convert would; several, or a folder, are picked as one dropped batch.
void open_paths(MainWindow& window, const QStringList& paths);

}  // namespace ordelix
