#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ordelix {

// Everything that can go wrong in a conversion or a save, errors and warnings
// alike. An error means no report (or no saved report); a warning informs and
// the report stands.
enum class ProblemKind {
  // Reading the export file.
  cannot_open,
  is_folder,
  not_regular,
  cannot_read,
  too_large,
  empty_file,
  changed_while_read,  // written to while it was read: what was read may be a piece of it
  // Finding export files in a folder.
  cannot_read_folder,
  no_export_files,
  cannot_watch_folder,
  // Choosing or writing the report.
  no_extension,
  no_mode,
  no_report,
  refused_for_warnings,  // asked to give no report for a file with warnings
  // Saving the report.
  target_exists,
  target_in_use,  // open in another program that keeps others from replacing it
  target_is_input,
  target_not_regular,
  target_is_folder,
  target_name_refused,  // a name the folder's file system does not take, as exFAT "a:b"
  cannot_create_folder,
  cannot_create,
  write_failed,
  sync_failed,
  cannot_place,
  // A report made before, which a batch that skips existing reports would keep.
  existing_report_incomplete,
  existing_report_unreadable,
  existing_report_differs,  // not the report its export files give now
  existing_report_older,    // differs, and the export file changed after it was made
  // The finished workbook failed its check.
  zip_missing,
  zip_empty,
  zip_cut_short,
  zip_index_broken,
  zip_entry_unlisted,
  zip_entry_unopened,
  zip_entry_not_inflating,
  zip_entry_wrong_length,
  zip_entry_bad_checksum,
  zip_entry_not_xml,
  // The run itself.
  stdout_failed,
  // The report is written, but the file was not as expected.
  rows_beyond_limit,
  count_beyond_file,         // a count line promises more values than follow it
  lines_after_data,          // lines after the data that no table shows
  not_a_number,              // a number or code line holds no number, or more than one
  code_outside_table,        // a code or count the report has no row for
  file_shorter_than_header,  // the file ends inside the header its report reads
  header_not_read,           // the line count leaves header lines unread
  time_out_of_range,         // the file's time lies outside what a workbook shows
  unicode_text,              // an editor saved the file as Unicode; read as single bytes
};

enum class Severity { error, warning };

// Whether the kind stops the report, and whether it is about the report's
// file rather than the export file.
Severity problem_severity(ProblemKind kind);
bool problem_concerns_target(ProblemKind kind);

// A problem as found: its kind and what its wording needs, each field where
// the kind has it. problem_text words it.
struct Problem {
  explicit Problem(ProblemKind k, int err = 0) : kind(k), sys_errno(err) {}

  ProblemKind kind;
  int sys_errno = 0;   // the system's reason (an errno value)
  long long line = 0;  // line of the export file it concerns; 0 for the whole file or none
  // As found: a line of the export file (none when the file has no such
  // line), a name, the library's own words.
  std::optional<std::string> quote;
  std::string term;     // the finder's words for what was expected: "unit codes", "sample"
  std::string instead;  // what the report shows instead
  std::array<long long, 3> counts{};  // what it counts, in the order its wording names them
  double value = 0;                   // what a text was read as
  bool leading_part = false;          // a text read as a number held more after it

  bool is_error() const { return problem_severity(kind) == Severity::error; }
};

using Problems = std::vector<Problem>;

// The problem in the user's words, without the file and line it concerns:
// the presenter places those.
std::string problem_text(const Problem& problem);

// A file whose line `line` selects no report: what it holds (nothing when the
// file is shorter) and what it would have to hold.
Problem refusal_of_line(long long line, std::optional<std::string_view> text,
                        std::string_view expected);
// A file with `warnings` warnings, refused a report for them.
Problem refusal_for_warnings(std::size_t warnings);
// The library's own words for why it could not write the workbook.
Problem workbook_library_failure(std::string_view words);
// A part of the finished workbook that failed its check, by its name.
Problem zip_entry_fault(ProblemKind kind, std::string_view entry);
// The report's folder, which could not be made.
Problem folder_not_created(std::string_view folder, int sys_errno);

// Warnings, from what was found. `text` is a line as the file holds it.
// `values` of the file, or `rows` the count numbers, beyond `last_row`.
Problem values_beyond_limit_warning(long long first_line_left_out, long long values, int last_row);
Problem rows_beyond_limit_warning(long long count_line, long long rows, int last_row);
// `items` of `lines_per_item` lines each, as "sample", 4.
Problem count_beyond_file_warning(long long count_line, long long items, std::string_view item,
                                  int lines_per_item, long long lines_held);
Problem lines_after_data_warning(long long first_line, long long lines);
// A text with no number at all, or with a number and more after it, and the
// number it is read as or what the report shows instead.
Problem not_a_number_warning(long long line, std::string_view text, bool leading_part,
                             double read_as);
Problem not_a_number_warning(long long line, std::string_view text, bool leading_part,
                             std::string_view instead);
// `codes` names the table ("unit codes"); `instead` tells what the report shows.
Problem code_outside_table_warning(long long line, std::string_view text, std::string_view codes,
                                   std::string_view instead);
Problem file_shorter_than_header_warning(long long last_line, int header_end);
Problem header_not_read_warning(long long first_unread, long long line_count, int header_end);
// A file in `encoding` ("UTF-8"), with `characters_replaced` of its text
// read as "?".
Problem unicode_text_warning(std::string_view encoding, long long characters_replaced);

}  // namespace ordelix
