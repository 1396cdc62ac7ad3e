#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ordelix {

// File arguments as a command-line front end must take them itself where
// the shell leaves the work to the program: on Windows, which expands no
// wildcards and, by its quoting rules, keeps a backslash's closing quote in
// the argument. Elsewhere the shell has done both and a name is as given.

// Whether the argument holds a quote no file's name can: on Windows,
// `"C:\runs\" -r` reaches the program as the one argument `C:\runs" -r`.
bool argument_has_stray_quote(const std::string& argument);

// What a file argument with wildcards (* and ?) in its last name matches, in
// a stable order, written as the argument writes its folder; none when there
// is nothing to expand. An empty list: the pattern matches no file.
std::optional<std::vector<std::string>> argument_wildcard_matches(const std::string& argument);

}  // namespace ordelix
