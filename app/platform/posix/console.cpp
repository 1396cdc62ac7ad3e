#include "platform/console.h"

#include <sys/ioctl.h>
#include <unistd.h>

namespace ordelix {

std::vector<std::string> console_arguments(int argc, ConsoleChar** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void console_prepare() {}

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

void console_wait_for_key(const std::string&) {}

}  // namespace ordelix
