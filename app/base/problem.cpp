#include "problem.h"

namespace ordelix {
namespace {

Problem at_line(ProblemKind kind, long long line) {
  Problem p(kind);
  p.line = line;
  return p;
}

struct ProblemTraits {
  Severity severity;
  bool concerns_target;  // the report's file rather than the export file
};

// Every kind's traits; the switch names each kind, so a new one left out
// fails the build.
ProblemTraits traits_of(ProblemKind kind) {
  using enum ProblemKind;
  using enum Severity;
  constexpr bool of_report = true;
  constexpr bool of_file = false;
  switch (kind) {
    case cannot_open:
    case is_folder:
    case not_regular:
    case cannot_read:
    case too_large:
    case empty_file:
    case changed_while_read:
    case cannot_read_folder:
    case no_export_files:
    case cannot_watch_folder:
    case no_extension:
    case no_mode:
    case no_report:
    case refused_for_warnings:
    case stdout_failed:
      return {error, of_file};
    case target_exists:
    case target_in_use:
    case target_is_input:
    case target_not_regular:
    case target_is_folder:
    case target_name_refused:
    case cannot_create_folder:
    case cannot_create:
    case write_failed:
    case sync_failed:
    case cannot_place:
    case existing_report_incomplete:
    case existing_report_unreadable:
    case existing_report_differs:
    case existing_report_older:
    case zip_missing:
    case zip_empty:
    case zip_cut_short:
    case zip_index_broken:
    case zip_entry_unlisted:
    case zip_entry_unopened:
    case zip_entry_not_inflating:
    case zip_entry_wrong_length:
    case zip_entry_bad_checksum:
    case zip_entry_not_xml:
      return {error, of_report};
    case rows_beyond_limit:
    case count_beyond_file:
    case lines_after_data:
    case not_a_number:
    case code_outside_table:
    case file_shorter_than_header:
    case header_not_read:
    case time_out_of_range:
    case unicode_text:
      return {warning, of_file};
  }
  return {error, of_file};
}

}  // namespace

Severity problem_severity(ProblemKind kind) {
  return traits_of(kind).severity;
}

bool problem_concerns_target(ProblemKind kind) {
  return traits_of(kind).concerns_target;
}

Problem refusal_of_line(long long line, std::optional<std::string_view> text,
                        std::string_view expected) {
  Problem p = at_line(ProblemKind::no_report, line);
  if (text) p.quote.emplace(*text);
  p.term = expected;
  return p;
}

Problem refusal_for_warnings(std::size_t warnings) {
  Problem p(ProblemKind::refused_for_warnings);
  p.counts[0] = static_cast<long long>(warnings);
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

Problem values_beyond_limit_warning(long long first_line_left_out, long long values, int last_row) {
  Problem p = at_line(ProblemKind::rows_beyond_limit, first_line_left_out);
  p.term = "value";
  p.counts = {values, last_row};
  return p;
}

Problem rows_beyond_limit_warning(long long count_line, long long rows, int last_row) {
  Problem p = at_line(ProblemKind::rows_beyond_limit, count_line);
  p.term = "row";
  p.counts = {rows, last_row};
  return p;
}

Problem count_beyond_file_warning(long long count_line, long long items, std::string_view item,
                                  int lines_per_item, long long lines_held) {
  Problem p = at_line(ProblemKind::count_beyond_file, count_line);
  p.term = item;
  p.counts = {items, lines_per_item, lines_held};
  return p;
}

Problem lines_after_data_warning(long long first_line, long long lines) {
  Problem p = at_line(ProblemKind::lines_after_data, first_line);
  p.counts[0] = lines;
  return p;
}

Problem not_a_number_warning(long long line, std::string_view text, bool leading_part,
                             double read_as) {
  Problem p = at_line(ProblemKind::not_a_number, line);
  p.quote.emplace(text);
  p.leading_part = leading_part;
  p.value = read_as;
  return p;
}

Problem not_a_number_warning(long long line, std::string_view text, bool leading_part,
                             std::string_view instead) {
  Problem p = not_a_number_warning(line, text, leading_part, 0.0);
  p.instead = instead;
  return p;
}

Problem code_outside_table_warning(long long line, std::string_view text, std::string_view codes,
                                   std::string_view instead) {
  Problem p = at_line(ProblemKind::code_outside_table, line);
  p.quote.emplace(text);
  p.term = codes;
  p.instead = instead;
  return p;
}

Problem file_shorter_than_header_warning(long long last_line, int header_end) {
  Problem p = at_line(ProblemKind::file_shorter_than_header, last_line);
  p.counts[0] = header_end;
  return p;
}

Problem header_not_read_warning(long long first_unread, long long line_count, int header_end) {
  Problem p = at_line(ProblemKind::header_not_read, first_unread);
  p.counts = {line_count, header_end};
  return p;
}

Problem unicode_text_warning(std::string_view encoding, long long characters_replaced) {
  Problem p(ProblemKind::unicode_text);
  p.term = encoding;
  p.counts[0] = characters_replaced;
  return p;
}

}  // namespace ordelix
