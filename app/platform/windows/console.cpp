#include "platform/console.h"

#include <conio.h>
#include <io.h>
#include <windows.h>

#include <cstdio>
#include <cstdlib>

#include "windows_text.h"

namespace ordelix {
namespace {

UINT original_output_code_page = 0;

void restore_code_page() {
  if (original_output_code_page != 0) SetConsoleOutputCP(original_output_code_page);
}

bool is_console(HANDLE handle) {
  DWORD mode = 0;
  return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetConsoleMode(handle, &mode);
}

}  // namespace

std::vector<std::string> console_arguments(int argc, ConsoleChar** argv) {
  std::vector<std::string> arguments;
  for (int i = 0; i < argc; ++i) arguments.push_back(utf8_of(argv[i]));
  return arguments;
}

// The console's code page is its window's, shared with the shell: set back
// as it was when the program ends.
void console_prepare() {
  if (GetConsoleOutputCP() != CP_UTF8) {
    original_output_code_page = GetConsoleOutputCP();
    if (SetConsoleOutputCP(CP_UTF8)) std::atexit(restore_code_page);
  }
}

// The NUL device is a character device as a console is: only a console has a mode.
bool console_is_terminal(int descriptor) {
  return _isatty(descriptor) && is_console(reinterpret_cast<HANDLE>(_get_osfhandle(descriptor)));
}

std::size_t console_width() {
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!GetConsoleScreenBufferInfo(GetStdHandle(STD_ERROR_HANDLE), &info)) return 0;
  int columns = info.srWindow.Right - info.srWindow.Left + 1;
  return columns < 2 ? 0 : static_cast<std::size_t>(columns - 1);
}

void console_erase_line_end() {
  std::fflush(stderr);
  HANDLE err = GetStdHandle(STD_ERROR_HANDLE);
  CONSOLE_SCREEN_BUFFER_INFO info{};
  if (!GetConsoleScreenBufferInfo(err, &info) || info.dwCursorPosition.X >= info.dwSize.X) return;
  DWORD written = 0;
  FillConsoleOutputCharacterW(err, L' ',
                              static_cast<DWORD>(info.dwSize.X - info.dwCursorPosition.X),
                              info.dwCursorPosition, &written);
}

// A console opened for the program alone lists no other process, a shell
// being one.
bool console_closes_with_program() {
  DWORD processes[2];
  return GetConsoleProcessList(processes, 2) == 1 && is_console(GetStdHandle(STD_INPUT_HANDLE));
}

char console_wait_for_key(const std::string& prompt) {
  std::fprintf(stderr, "%s", prompt.c_str());
  std::fflush(stderr);
  int key = _getch();
  // A key without a character comes as two codes: both are taken, lest the
  // second answer the next question.
  if (key == 0 || key == 0xE0) {
    _getch();
    return 0;
  }
  return static_cast<char>(key);
}

}  // namespace ordelix
