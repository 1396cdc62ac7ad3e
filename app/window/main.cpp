// ordelix [FILE...]: the desktop window, opening the files given; when one
// already runs for this user and display, that one opens them instead.

#include <unistd.h>

#include <QApplication>
#include <QDir>

#include "bring_forward.h"
#include "instance_socket.h"
#include "main_window.h"
#include "open_paths.h"
#include "opening_queue.h"
#include "single_instance.h"
#include "when_placed.h"
#include "window_dialogs.h"
#include "window_icon.h"

namespace {

constexpr std::chrono::milliseconds patience{3000};
constexpr std::chrono::milliseconds placing{1000};

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("ordelix");
  QGuiApplication::setDesktopFileName("org.ordelix.Ordelix");
  QApplication::setWindowIcon(ordelix::window_icon());

  QStringList paths = ordelix::absolute_paths(QApplication::arguments().mid(1), QDir::current());
  ordelix::SingleInstance instance(
      ordelix::instance_socket(qEnvironmentVariable("XDG_RUNTIME_DIR"), QDir::tempPath(),
                               ::geteuid(), qEnvironmentVariable("WAYLAND_DISPLAY"),
                               qEnvironmentVariable("DISPLAY")),
      patience);
  if (instance.claim(paths) == ordelix::SingleInstance::Claim::handedOver) return 0;

  ordelix::QtWindowDialogs dialogs;
  ordelix::MainWindow window(dialogs);
  ordelix::OpeningQueue opening(
      [&window](const QStringList& p) { ordelix::open_paths(window, p); });
  QObject::connect(&instance, &ordelix::SingleInstance::pathsReceived, &window,
                   [&window, &opening](const QStringList& received) {
                     ordelix::bring_forward(window);
                     opening.add(received);
                   });
  window.show();
  // A preview cascades from where the window stands.
  ordelix::when_placed(window, placing, [&opening, paths] { opening.add(paths); });
  return app.exec();
}
