#include "problem.h"

#include <cstdio>
#include <cstring>

#include "cp1252.h"

namespace ordelix {
namespace {

std::string with_reason(const char* what, int sys_errno) {
  return std::string(what) + ": " + std::strerror(sys_errno);
}

// Export file lines are quoted as the report shows them, control bytes
// escaped, and long ones cut: a quote only has to tell the line again.
std::string quoted(std::string_view text) {
  constexpr std::size_t longest = 40;
  std::string quote = "\"";
  for (char c : text.substr(0, longest)) {
    auto b = static_cast<unsigned char>(c);
    if (c == '"' || c == '\\') {
      quote += '\\';
      quote += c;
    } else if (b < 0x20 || b == 0x7F || b == 0x81 || b == 0x8D || b == 0x8F || b == 0x90 ||
               b == 0x9D) {
      char escape[5];
      std::snprintf(escape, sizeof escape, "\\x%02X", b);
      quote += escape;
    } else {
      quote += cp1252_to_utf8(std::string_view(&c, 1));
    }
  }
  if (text.size() > longest) quote += "...";
  return quote + '"';
}

std::string counted(long count, std::string_view noun) {
  std::string text = std::to_string(count) + ' ';
  text += noun;
  if (count != 1) text += 's';
  return text;
}

}  // namespace

std::string problem_text(const Problem& p) {
  switch (p.kind) {
    case ProblemKind::cannot_open:
      return with_reason("cannot open", p.sys_errno);
    case ProblemKind::is_folder:
      return "is a folder, not an export file";
    case ProblemKind::not_regular:
      return "is not a regular file (a device, pipe or socket), not an export file";
    case ProblemKind::cannot_read:
      return with_reason("cannot read", p.sys_errno);
    case ProblemKind::too_large:
      return "is larger than 64 MiB and cannot be an export file";
    case ProblemKind::cannot_read_folder:
      return with_reason("cannot read the folder", p.sys_errno);
    case ProblemKind::no_export_files:
      return "holds no export files (PRO, NUC, CON, PHT, OD, TSC, TM, WSC)";
    case ProblemKind::no_mode:
      return "the extension names no measurement mode (PRO, NUC, CON, PHT, OD, TSC, TM, WSC)";
    case ProblemKind::refused_for_warnings:
      return "not converted: the file has warnings";
    case ProblemKind::no_report:
      return p.detail;
    case ProblemKind::target_exists:
      return "the report file already exists";
    case ProblemKind::target_is_input:
      return "the report would replace the export file itself";
    case ProblemKind::target_not_regular:
      return "the report's name is taken by something other than a regular file";
    case ProblemKind::target_is_folder:
      return "the report's name is that of a folder";
    case ProblemKind::cannot_create_folder:
      return with_reason("cannot create the report's folder", p.sys_errno);
    case ProblemKind::cannot_create:
      return with_reason("cannot create a file in the report's folder", p.sys_errno);
    case ProblemKind::write_failed:
      return "writing the workbook failed: " + p.detail;
    case ProblemKind::workbook_damaged:
      return "the finished workbook failed its check (" + p.detail + ")";
    case ProblemKind::sync_failed:
      return with_reason("cannot make the report last on disk", p.sys_errno);
    case ProblemKind::cannot_place:
      return with_reason("cannot move the finished report into place", p.sys_errno);
    case ProblemKind::stdout_failed:
      return with_reason("cannot write to standard output", p.sys_errno);
    case ProblemKind::rows_beyond_limit:
    case ProblemKind::count_beyond_file:
    case ProblemKind::lines_after_data:
    case ProblemKind::not_a_number:
    case ProblemKind::code_outside_table:
    case ProblemKind::file_shorter_than_header:
    case ProblemKind::header_not_read:
      return p.detail;
    case ProblemKind::time_out_of_range:
      return "the file's time lies outside the years 1900 to 9999, so Time & Date is left empty";
  }
  return "unknown problem";
}

Problem refusal_of_line(long line, std::optional<std::string_view> text,
                        std::string_view expected) {
  std::string where = text ? "line " + std::to_string(line) + " holds " + quoted(*text)
                           : "the file has no line " + std::to_string(line);
  return Problem(ProblemKind::no_report, line, where + "; " + std::string(expected));
}

Problem rows_beyond_limit_warning(long first_line_left_out, long values, int last_row) {
  return Problem(ProblemKind::rows_beyond_limit, first_line_left_out,
                 counted(values, "value") + " beyond row " + std::to_string(last_row) +
                     (values == 1 ? " was left out" : " were left out"));
}

Problem count_beyond_file_warning(long count_line, long items, std::string_view item,
                                  int lines_per_item, long lines_held) {
  std::string promise = counted(items, item);
  if (lines_per_item > 1) promise += " (" + counted(items * lines_per_item, "value") + ")";
  return Problem(ProblemKind::count_beyond_file, count_line,
                 "says " + promise + "; the file holds " + std::to_string(lines_held));
}

Problem lines_after_data_warning(long first_line, long lines) {
  return Problem(ProblemKind::lines_after_data, first_line,
                 counted(lines, "line") +
                     (lines == 1 ? " after the data is" : " after the data are") +
                     " not in the report");
}

Problem not_a_number_warning(long line, std::string_view text, bool leading_part,
                             std::string_view reading) {
  return Problem(ProblemKind::not_a_number, line,
                 "holds " + quoted(text) +
                     (leading_part ? ", a number with more after it; " : ", which is no number; ") +
                     std::string(reading));
}

Problem code_outside_table_warning(long line, std::string_view text, std::string_view codes,
                                   std::string_view instead) {
  return Problem(ProblemKind::code_outside_table, line,
                 "holds " + quoted(text) + ", which is none of the " + std::string(codes) + "; " +
                     std::string(instead));
}

Problem file_shorter_than_header_warning(long last_line, int header_end) {
  std::string header = "a header of " + counted(header_end, "line");
  if (last_line == 0)
    return Problem(ProblemKind::file_shorter_than_header, 0,
                   "the file is empty; its report reads " + header);
  return Problem(
      ProblemKind::file_shorter_than_header, last_line,
      "the file ends here, inside " + header + "; the report reads the missing lines as this one");
}

Problem header_not_read_warning(long first_unread, long line_count, int header_end) {
  std::string lines = first_unread == header_end ? "line " + std::to_string(header_end) + " is"
                                                 : "lines " + std::to_string(first_unread) +
                                                       " to " + std::to_string(header_end) + " are";
  std::string read = first_unread <= 4 ? "gets no header read"
                                       : "gets its header read to line " +
                                             std::to_string(first_unread - 1) + " only";
  return Problem(ProblemKind::header_not_read, first_unread,
                 "a file of " + counted(line_count, "line") + ' ' + read + ", so " + lines +
                     " not in the report");
}

}  // namespace ordelix
