#pragma once

#include <atomic>
#include <cstddef>
#include <string>
#include <vector>

namespace ordelix {

// The console as a command-line front end meets it.

// What the system hands a program's entry its arguments in: UTF-16 on
// Windows (a wmain), bytes elsewhere.
#ifdef _WIN32
using ConsoleChar = wchar_t;
#else
using ConsoleChar = char;
#endif

// The program's arguments as UTF-8, whatever the system's code page.
std::vector<std::string> console_arguments(int argc, ConsoleChar** argv);

// Makes UTF-8 text show as such on the console until the program ends;
// output that no one reads any more (a closed pipe) fails its writes rather
// than ending the program.
void console_prepare();

// Whether the descriptor (of the C runtime) is an interactive console.
bool console_is_terminal(int descriptor);

// Columns of the console standard error shows on; 0 when not known.
std::size_t console_width();

// Blanks standard error's console line from where its cursor stands to its
// end, the cursor staying: a terminal's code on a terminal, which takes it;
// on Windows the console's own calls, since not every console there takes
// codes that a program writes (wine's shows them).
void console_erase_line_end();

// Whether the console window was opened for this program alone and closes
// with it (started from the file manager, not from a shell): what it shows
// is lost unless the program waits.
bool console_closes_with_program();

// Shows `prompt` on standard error, waits for a key and gives it: its
// character, or 0 for a key that has none (an arrow) or where no key can be
// read.
char console_wait_for_key(const std::string& prompt);

// From this call on, what would end the program from outside asks it to
// stop instead: SIGINT, SIGTERM and SIGHUP; on Windows Ctrl-C, Ctrl-Break,
// closing the console window, logging off and shutting down. The flag is set
// and a FolderChanges waiting returns. Call it before any thread starts.
void console_stop_on_request();
const std::atomic<bool>& console_stop_flag();

}  // namespace ordelix
