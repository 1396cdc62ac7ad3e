// ordelix [FILE...]: the desktop window, opening the files given; when one
// already runs for this user and display, that one opens them instead.

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <QTimer>

#include "instance_socket.h"
#include "main_window.h"
#include "open_paths.h"
#include "single_instance.h"
#include "window_dialogs.h"

namespace {

constexpr std::chrono::milliseconds patience{3000};

void bring_forward(QWidget& window) {
  window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
  window.show();
  window.raise();
  window.activateWindow();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Also what QLockFile compares with a lock holder's program to tell whether it still runs.
  QApplication::setApplicationName("ordelix");
  QGuiApplication::setDesktopFileName("org.ordelix.Ordelix");

  QStringList paths = ordelix::absolute_paths(QApplication::arguments().mid(1), QDir::current());
  ordelix::SingleInstance instance(
      ordelix::instance_socket(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath(),
                               ::geteuid(), qEnvironmentVariable("WAYLAND_DISPLAY"),
                               qEnvironmentVariable("DISPLAY")),
      patience);
  if (instance.claim(paths) == ordelix::SingleInstance::Claim::handedOver) return 0;

  ordelix::QtWindowDialogs dialogs;
  ordelix::MainWindow window(dialogs);
  QObject::connect(&instance, &ordelix::SingleInstance::pathsReceived, &window,
                   [&window](const QStringList& received) {
                     bring_forward(window);
                     ordelix::open_paths(window, received);
                   });
  window.show();
  // Once the event loop runs: a conversion asks where to save, and the window
  // should stand behind that dialog.
  QTimer::singleShot(0, &window, [&window, paths] { ordelix::open_paths(window, paths); });
  return app.exec();
}
