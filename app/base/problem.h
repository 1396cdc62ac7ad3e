#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ordelix {

// Everything that can go wrong in a conversion or a save, errors and warnings
// alike. An error means no report (or no saved report); a warning informs and
// the report stands.
enum class ProblemKind {
  // Errors reading the export file.
  cannot_open,
  is_folder,
  not_regular,
  cannot_read,
  too_large,
  // Errors finding export files in a folder.
  cannot_read_folder,
  no_export_files,
  // Errors choosing or writing the report.
  no_mode,
  no_report,
  refused_for_warnings,  // asked to give no report for a file with warnings
  // Errors saving the report.
  target_exists,
  target_is_input,
  target_not_regular,
  target_is_folder,
  cannot_create_folder,
  cannot_create,
  write_failed,
  workbook_damaged,
  sync_failed,
  cannot_place,
  // Errors of the run itself.
  stdout_failed,
  // Warnings: the report is written, but the file was not as expected.
  rows_beyond_limit,
  count_beyond_file,         // a count line promises more values than follow it
  lines_after_data,          // lines after the data that no table shows
  not_a_number,              // a number or code line holds no number, or more than one
  code_outside_table,        // a code or count the report has no row for
  file_shorter_than_header,  // the file ends inside the header its report reads
  header_not_read,           // the line count leaves header lines unread
  time_out_of_range,         // the file's time lies outside what a workbook shows
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

// A file whose line `line` selects no report: what it holds (nothing when the
// file is shorter) and what it would have to hold.
Problem refusal_of_line(long line, std::optional<std::string_view> text, std::string_view expected);

// Warnings, worded from what was found. `text` is a line as the file holds it.
Problem rows_beyond_limit_warning(long first_line_left_out, long values, int last_row);
// `items` of `lines_per_item` lines each, as "sample", 4.
Problem count_beyond_file_warning(long count_line, long items, std::string_view item,
                                  int lines_per_item, long lines_held);
Problem lines_after_data_warning(long first_line, long lines);
// A text with no number at all, or with a number and more after it;
// `reading` is what the report makes of it: "read as 0".
Problem not_a_number_warning(long line, std::string_view text, bool leading_part,
                             std::string_view reading);
// `codes` names the table ("unit codes"); `instead` tells what the report shows.
Problem code_outside_table_warning(long line, std::string_view text, std::string_view codes,
                                   std::string_view instead);
Problem file_shorter_than_header_warning(long last_line, int header_end);
Problem header_not_read_warning(long first_unread, long line_count, int header_end);

}  // namespace ordelix
