#include "problem_lines.h"

namespace ordelix {

std::string warning_line(std::string_view path, const Problem& warning) {
  std::string line(path);
  if (warning.line > 0) line += ':' + std::to_string(warning.line);
  return line + ": warning: " + problem_text(warning);
}

}  // namespace ordelix
