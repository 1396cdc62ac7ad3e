#pragma once

#include <string>
#include <string_view>

namespace ordelix {

// A file name as it may go to a terminal: control characters (C0, DEL and
// C1) and bytes that are not UTF-8 become C-style escapes ("\n", "\x1b"),
// and so does a backslash ("\\") except on Windows, where it separates
// folders, so that no name reads as two lines or as a terminal command, and
// every name reads back unambiguously.
std::string printable_name(std::string_view name);

}  // namespace ordelix
