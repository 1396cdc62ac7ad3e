#include "platform/arguments.h"

#include <windows.h>

#include <algorithm>
#include <memory>

#include "find_data.h"
#include "windows_paths.h"
#include "windows_text.h"

namespace ordelix {

// No name on Windows holds a quote.
bool argument_has_stray_quote(const std::string& argument) {
  return argument.find('"') != std::string::npos;
}

std::optional<std::vector<std::string>> argument_wildcard_matches(const std::string& argument) {
  std::size_t name_start = argument.find_last_of("\\/:");
  name_start = name_start == std::string::npos ? 0 : name_start + 1;
  if (argument.find_first_of("*?", name_start) == std::string::npos) return std::nullopt;
  std::vector<std::string> matches;
  WIN32_FIND_DATAW found{};
  // A wildcard in a folder's name finds nothing: the search fails.
  HANDLE search = FindFirstFileExW(long_path(argument).c_str(), FindExInfoBasic, &found,
                                   FindExSearchNameMatch, nullptr, 0);
  if (search == INVALID_HANDLE_VALUE) return matches;
  std::unique_ptr<void, FindCloser> closer(search);
  do {
    if (!hidden_entry(found))
      matches.push_back(argument.substr(0, name_start) + utf8_of(found.cFileName));
  } while (FindNextFileW(search, &found));
  std::sort(matches.begin(), matches.end());
  return matches;
}

}  // namespace ordelix
