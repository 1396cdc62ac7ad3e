// ordelix [FILE...]: the desktop window, opening the files given; when one
// already runs for this user and display, that one opens them instead.

#include <unistd.h>

#include <QApplication>
#include <QDir>
#include <iostream>
#include <optional>
#include <string_view>

#include "base/printable_name.h"
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

constexpr int exit_usage = 2;
constexpr const char* help =
    "Usage: ordelix [FILE...]\n"
    "\n"
    "Opens the Ordelix window, which converts spectrophotometer export files (.PRO\n"
    ".NUC .CON .PHT .OD .TSC .TM .WSC) into .xlsx reports and shows each report\n"
    "before it is saved. One FILE opens its report; several, or a folder, are\n"
    "picked as a batch. When the window is open already, it takes the FILEs.\n"
    "\n"
    "Options:\n"
    "  -h, --help     print this help and exit\n"
    "  -V, --version  print the version and exit\n"
    "\n"
    "ordelix-convert converts on the command line, without a window.\n";

// The help, the version and a wrong option are answered before Qt starts,
// which without a display would abort; none when the window is to open.
std::optional<int> answered_without_window(int argc, char** argv) {
  for (int i = 1; i < argc; ++i) {
    std::string_view argument = argv[i];
    if (argument == "-h" || argument == "--help") {
      std::cout << help;
      return 0;
    }
    if (argument == "-V" || argument == "--version") {
      std::cout << "ordelix " << ORDELIX_VERSION << '\n';
      return 0;
    }
    if (argument.size() > 1 && argument.front() == '-') {
      std::cerr << "ordelix: unknown option " << ordelix::printable_name(argument)
                << " (ordelix --help tells more)\n";
      return exit_usage;
    }
  }
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  if (std::optional<int> status = answered_without_window(argc, argv)) return *status;
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
