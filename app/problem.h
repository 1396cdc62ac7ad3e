#pragma once

#include <optional>
#include <string>
#include <vector>

namespace ordelix {

// Everything that can go wrong in a conversion or a save, errors and warnings
// alike. An error means no report (or no saved report); a warning informs and
// the report stands.
enum class ProblemKind {
  // Errors reading the export file.
  cannot_open,
  is_folder,
  cannot_read,
  too_large,
  // Errors choosing or writing the report.
  no_mode,
  no_report,
  // Errors saving the report.
  target_exists,
  target_is_input,
  cannot_create,
  write_failed,
  cannot_place,
  // Warnings: the report is written, but the file was not as expected.
  rows_beyond_limit,
};

struct Problem {
  explicit Problem(ProblemKind k, long at_line = 0, std::string text = {}, int err = 0)
      : kind(k), line(at_line), detail(std::move(text)), sys_errno(err) {}

  ProblemKind kind;
  long line = 0;       // line of the export file it concerns; 0 where none applies
  std::string detail;  // what the wording needs beyond the kind: a quote, a count, a reason
  int sys_errno = 0;   // the system's reason, where one applies

  bool is_error() const { return kind < ProblemKind::rows_beyond_limit; }
};

using Problems = std::vector<Problem>;

// The problem in the user's words, without the file and line it concerns:
// the presenter places those.
std::string problem_text(const Problem& problem);

}  // namespace ordelix
