#pragma once

#include <string>

namespace ordelix {

// A hidden name, ".ordelix-" and six random letters, in `folder`.
std::string hidden_name(const std::string& folder);

// Moves `from` to `to` in one folder; without `replace` an existing `to` is
// kept, whatever the file system offers for that. 0, or the errno.
int rename_into_place(const std::string& from, const std::string& to, bool replace);

}  // namespace ordelix
