// A page has no console: nothing is a terminal, and nothing waits for a key.

#include "platform/console.h"

namespace ordelix {

std::vector<std::string> console_arguments(int argc, ConsoleChar** argv) {
  return std::vector<std::string>(argv, argv + argc);
}

void console_prepare() {}

bool console_is_terminal(int) {
  return false;
}

std::size_t console_width() {
  return 0;
}

bool console_closes_with_program() {
  return false;
}

void console_erase_line_end() {}

char console_wait_for_key(const std::string&) {
  return 0;
}

}  // namespace ordelix
