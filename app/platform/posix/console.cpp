#include "platform/console.h"

#include <signal.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cstdio>

namespace ordelix {

std::vector<std::string> console_arguments(int argc, ConsoleChar** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void console_prepare() {
  // A reader that stops early (`| head`) makes a write fail with EPIPE, which
  // the program reports, rather than end it with its reports half placed.
  ::signal(SIGPIPE, SIG_IGN);
}

bool console_is_terminal(int descriptor) {
  return ::isatty(descriptor) != 0;
}

std::size_t console_width() {
  winsize size{};
  if (::ioctl(STDERR_FILENO, TIOCGWINSZ, &size) != 0 || size.ws_col < 2) return 0;
  return size.ws_col - 1u;  // the last column would wrap on some terminals
}

bool console_closes_with_program() {
  return false;
}

void console_erase_line_end() {
  std::fputs("\x1b[K", stderr);
}

// Only Windows gives a program a console of its own that closes with it.
char console_wait_for_key(const std::string&) {
  return 0;
}

}  // namespace ordelix
