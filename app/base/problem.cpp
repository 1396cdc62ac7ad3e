#include "problem.h"

namespace ordelix {
namespace {

Problem at_line(ProblemKind kind, long line) {
  Problem p(kind);
  p.line = line;
  return p;
}

}  // namespace

Severity problem_severity(ProblemKind kind) {
  switch (kind) {
    case ProblemKind::rows_beyond_limit:
    case ProblemKind::count_beyond_file:
    case ProblemKind::lines_after_data:
    case ProblemKind::not_a_number:
    case ProblemKind::code_outside_table:
    case ProblemKind::file_shorter_than_header:
    case ProblemKind::header_not_read:
    case ProblemKind::time_out_of_range:
      return Severity::warning;
    case ProblemKind::cannot_open:
    case ProblemKind::is_folder:
    case ProblemKind::not_regular:
    case ProblemKind::cannot_read:
    case ProblemKind::too_large:
    case ProblemKind::cannot_read_folder:
    case ProblemKind::no_export_files:
    case ProblemKind::no_mode:
    case ProblemKind::no_report:
    case ProblemKind::refused_for_warnings:
    case ProblemKind::target_exists:
    case ProblemKind::target_is_input:
    case ProblemKind::target_not_regular:
    case ProblemKind::target_is_folder:
    case ProblemKind::cannot_create_folder:
    case ProblemKind::cannot_create:
    case ProblemKind::write_failed:
    case ProblemKind::sync_failed:
    case ProblemKind::cannot_place:
    case ProblemKind::zip_missing:
    case ProblemKind::zip_empty:
    case ProblemKind::zip_cut_short:
    case ProblemKind::zip_index_broken:
    case ProblemKind::zip_entry_unlisted:
    case ProblemKind::zip_entry_unopened:
    case ProblemKind::zip_entry_not_inflating:
    case ProblemKind::zip_entry_wrong_length:
    case ProblemKind::zip_entry_bad_checksum:
    case ProblemKind::zip_entry_not_xml:
    case ProblemKind::stdout_failed:
      return Severity::error;
  }
  return Severity::error;
}

bool problem_concerns_target(ProblemKind kind) {
  switch (kind) {
    case ProblemKind::target_exists:
    case ProblemKind::target_is_input:
    case ProblemKind::target_not_regular:
    case ProblemKind::target_is_folder:
    case ProblemKind::cannot_create_folder:
    case ProblemKind::cannot_create:
    case ProblemKind::write_failed:
    case ProblemKind::sync_failed:
    case ProblemKind::cannot_place:
      return true;
    default:
      return false;
  }
}

Problem refusal_of_line(long line, std::optional<std::string_view> text,
                        std::string_view expected) {
  Problem p = at_line(ProblemKind::no_report, line);
  if (text) p.quote.emplace(*text);
  p.term = expected;
  return p;
}

Problem refusal_for_warnings(std::size_t warnings) {
  Problem p(ProblemKind::refused_for_warnings);
  p.counts[0] = static_cast<long>(warnings);
  return p;
}

Problem workbook_library_failure(std::string_view words) {
  Problem p(ProblemKind::write_failed);
  p.quote.emplace(words);
  return p;
}

Problem zip_entry_fault(ProblemKind kind, std::string_view entry) {
  Problem p(kind);
  p.quote.emplace(entry);
  return p;
}

Problem folder_not_created(std::string_view folder, int sys_errno) {
  Problem p(ProblemKind::cannot_create_folder, sys_errno);
  p.quote.emplace(folder);
  return p;
}

Problem values_beyond_limit_warning(long first_line_left_out, long values, int last_row) {
  Problem p = at_line(ProblemKind::rows_beyond_limit, first_line_left_out);
  p.term = "value";
  p.counts = {values, last_row};
  return p;
}

Problem rows_beyond_limit_warning(long count_line, long rows, int last_row) {
  Problem p = at_line(ProblemKind::rows_beyond_limit, count_line);
  p.term = "row";
  p.counts = {rows, last_row};
  return p;
}

Problem count_beyond_file_warning(long count_line, long items, std::string_view item,
                                  int lines_per_item, long lines_held) {
  Problem p = at_line(ProblemKind::count_beyond_file, count_line);
  p.term = item;
  p.counts = {items, lines_per_item, lines_held};
  return p;
}

Problem lines_after_data_warning(long first_line, long lines) {
  Problem p = at_line(ProblemKind::lines_after_data, first_line);
  p.counts[0] = lines;
  return p;
}

Problem not_a_number_warning(long line, std::string_view text, bool leading_part, double read_as) {
  Problem p = at_line(ProblemKind::not_a_number, line);
  p.quote.emplace(text);
  p.leading_part = leading_part;
  p.value = read_as;
  return p;
}

Problem not_a_number_warning(long line, std::string_view text, bool leading_part,
                             std::string_view instead) {
  Problem p = not_a_number_warning(line, text, leading_part, 0.0);
  p.instead = instead;
  return p;
}

Problem code_outside_table_warning(long line, std::string_view text, std::string_view codes,
                                   std::string_view instead) {
  Problem p = at_line(ProblemKind::code_outside_table, line);
  p.quote.emplace(text);
  p.term = codes;
  p.instead = instead;
  return p;
}

Problem file_shorter_than_header_warning(long last_line, int header_end) {
  Problem p = at_line(ProblemKind::file_shorter_than_header, last_line);
  p.counts[0] = header_end;
  return p;
}

Problem header_not_read_warning(long first_unread, long line_count, int header_end) {
  Problem p = at_line(ProblemKind::header_not_read, first_unread);
  p.counts = {line_count, header_end};
  return p;
}

}  // namespace ordelix
