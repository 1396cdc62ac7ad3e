// The shell expands wildcards and quotes before the program starts.

#include "platform/arguments.h"

namespace ordelix {

bool argument_has_stray_quote(const std::string&) {
  return false;
}

std::optional<std::vector<std::string>> argument_wildcard_matches(const std::string&) {
  return std::nullopt;
}

}  // namespace ordelix
