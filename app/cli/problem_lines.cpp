#include "problem_lines.h"

namespace ordelix {

std::string warning_line(std::string_view path, const Problem& warning) {
  std::string line(path);
  if (warning.line > 0) line += ':' + std::to_string(warning.line);
  return line + ": warning: " + problem_text(warning);
}

std::string failure_text(const Problem& error) {
  std::string text = problem_text(error);
  if (error.kind == ProblemKind::target_exists ||
      error.kind == ProblemKind::existing_report_incomplete ||
      error.kind == ProblemKind::existing_report_differs)
    text += " (--force replaces it)";
  return text;
}

}  // namespace ordelix
