#pragma once

#include <string>

namespace ordelix {

// A report's permissions when made: the kernel takes the umask off.
inline constexpr int report_file_mode = 0666;

// A hidden name, ".ordelix-" and six random letters, in `folder`.
std::string hidden_name(const std::string& folder);

// Moves `from` to `to` in one folder; without `replace` an existing `to` is
// kept, whatever the file system offers for that. 0, or the errno. Run as the
// step that takes `from` away (RemovalOnSignal::take): a signal then waits
// for its end, and so never finds the empty file that may hold `to` for a
// moment, nor anything else at `to`.
int rename_into_place(const std::string& from, const std::string& to, bool replace);

}  // namespace ordelix
