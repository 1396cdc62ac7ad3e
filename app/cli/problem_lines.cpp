#include "problem_lines.h"

namespace ordelix {

std::string warning_line(std::string_view path, const Problem& warning) {
  std::string line(path);
  if (warning.line > 0) line += ':' + std::to_string(warning.line);
  return line + ": warning: " + problem_text(warning);
}

std::string strict_refusal_text(std::size_t warnings) {
  return "not converted: " + std::to_string(warnings) + (warnings == 1 ? " warning" : " warnings") +
         " under --strict";
}

}  // namespace ordelix
