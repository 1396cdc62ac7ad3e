#include "problem_lines.h"

namespace ordelix {

std::string warning_line(std::string_view path, const Problem& warning) {
  std::string line(path);
  if (warning.line > 0) line += ':' + std::to_string(warning.line);
  return line + ": warning: " + problem_text(warning);
}

std::string failure_text(const Problem& error, std::string_view shown_target) {
  return failure_words(error, shown_target, "--force replaces it");
}

}  // namespace ordelix
