#include <cerrno>
#include <cstdio>
#include <cstring>

#include "cp1252.h"
#include "number_text.h"
#include "printable_name.h"
#include "problem.h"

namespace ordelix {
namespace {

std::string with_reason(std::string what, int sys_errno) {
  return what + ": " + std::strerror(sys_errno);
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

std::string counted(long long count, std::string_view noun) {
  std::string text = std::to_string(count) + ' ';
  text += noun;
  if (count != 1) text += 's';
  return text;
}

std::string line_quote(const Problem& p) {
  return quoted(p.quote.value_or(std::string()));
}

std::string refusal_text(const Problem& p) {
  std::string where = p.quote ? "line " + std::to_string(p.line) + " holds " + line_quote(p)
                              : "the file has no line " + std::to_string(p.line);
  return where + "; " + p.term;
}

std::string workbook_fault(const Problem& p, std::string_view fault) {
  std::string what(fault);
  if (p.quote) what = *p.quote + ' ' + what;
  return "the finished workbook failed its check (" + what + ")";
}

std::string beyond_limit_text(const Problem& p) {
  auto [count, last_row, unused] = p.counts;
  return counted(count, p.term) + " beyond row " + std::to_string(last_row) +
         (count == 1 ? " was left out" : " were left out");
}

std::string count_beyond_text(const Problem& p) {
  auto [items, lines_per_item, lines_held] = p.counts;
  std::string promise = counted(items, p.term);
  if (lines_per_item > 1) promise += " (" + counted(items * lines_per_item, "value") + ")";
  return "says " + promise + "; the file holds " + std::to_string(lines_held);
}

std::string lines_after_text(const Problem& p) {
  long long lines = p.counts[0];
  return counted(lines, "line") + (lines == 1 ? " after the data is" : " after the data are") +
         " not in the report";
}

std::string not_a_number_text(const Problem& p) {
  std::string reading = p.instead.empty() ? "read as " + general_number_text(p.value) : p.instead;
  return "holds " + line_quote(p) +
         (p.leading_part ? ", a number with more after it; " : ", which is no number; ") + reading;
}

std::string code_outside_text(const Problem& p) {
  return "holds " + line_quote(p) + ", which is none of the " + p.term + "; " + p.instead;
}

std::string shorter_than_header_text(const Problem& p) {
  return "the file ends here, inside a header of " + counted(p.counts[0], "line") +
         "; the report reads the missing lines as this one";
}

std::string header_not_read_text(const Problem& p) {
  long long first_unread = p.line;
  auto [line_count, header_end, unused] = p.counts;
  std::string lines = first_unread == header_end ? "line " + std::to_string(header_end) + " is"
                                                 : "lines " + std::to_string(first_unread) +
                                                       " to " + std::to_string(header_end) + " are";
  std::string read = first_unread <= 4 ? "gets no header read"
                                       : "gets its header read to line " +
                                             std::to_string(first_unread - 1) + " only";
  return "a file of " + counted(line_count, "line") + ' ' + read + ", so " + lines +
         " not in the report";
}

std::string unicode_text_text(const Problem& p) {
  std::string text =
      "the file is " + p.term + " text, not the instrument's Windows-1252; read as that text";
  long long replaced = p.counts[0];
  if (replaced > 0)
    text += ", with \"?\" for " + counted(replaced, "character") + " that Windows-1252 lacks" +
            (replaced == 1 ? " or that does not decode" : " or that do not decode");
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
    case ProblemKind::empty_file:
      return "the file is empty";
    case ProblemKind::changed_while_read:
      return "the file changed while it was read; no report is made from part of a file";
    case ProblemKind::cannot_read_folder:
      return with_reason("cannot read the folder", p.sys_errno);
    case ProblemKind::cannot_watch_folder:
      // Linux says so when the user's inotify watches are all taken.
      return p.sys_errno == ENOSPC ? "cannot watch the folder: the system's limit of watched "
                                     "folders (fs.inotify.max_user_watches) is reached; it is "
                                     "looked through every --poll seconds still"
                                   : with_reason("cannot watch the folder", p.sys_errno);
    case ProblemKind::no_export_files:
      return "holds no export files (PRO, NUC, CON, PHT, OD, TSC, TM, WSC)";
    case ProblemKind::no_extension:
      return "the name has no extension";
    case ProblemKind::no_mode:
      return "the extension names no measurement mode (PRO, NUC, CON, PHT, OD, TSC, TM, WSC)";
    case ProblemKind::no_report:
      return refusal_text(p);
    case ProblemKind::refused_for_warnings:
      return "not converted: " + counted(p.counts[0], "warning") + " under --strict";
    case ProblemKind::target_exists:
      return "the report file already exists";
    case ProblemKind::target_in_use:
      return "the report file is in use by another program: close it and run again";
    case ProblemKind::target_is_input:
      return "the report would replace the export file itself";
    case ProblemKind::target_not_regular:
      return "the report's name is taken by something other than a regular file";
    case ProblemKind::target_is_folder:
      return "the report's name is that of a folder";
    case ProblemKind::target_name_refused:
      return "the folder's file system does not accept this name for the report";
    case ProblemKind::cannot_create_folder:
      return with_reason(
          "cannot create the report's folder " + printable_name(p.quote.value_or(std::string())),
          p.sys_errno);
    case ProblemKind::cannot_create:
      return with_reason("cannot create a file in the report's folder", p.sys_errno);
    case ProblemKind::write_failed:
      return "writing the report failed: " + (p.sys_errno != 0
                                                  ? std::string(std::strerror(p.sys_errno))
                                                  : p.quote.value_or(std::string()));
    case ProblemKind::sync_failed:
      return with_reason("cannot make the report last on disk", p.sys_errno);
    case ProblemKind::cannot_place:
      return with_reason("cannot move the finished report into place", p.sys_errno);
    case ProblemKind::existing_report_incomplete:
      return "the existing report is not complete";
    case ProblemKind::existing_report_unreadable:
      return with_reason("cannot read the existing report", p.sys_errno);
    case ProblemKind::existing_report_differs:
      return p.counts[0] > 1 ? "the existing report does not hold these " +
                                   std::to_string(p.counts[0]) + " files as they convert now"
                             : "the existing report is not this file's report as it converts now";
    case ProblemKind::existing_report_older:
      return "the report is older than the file and is kept";
    case ProblemKind::zip_missing:
      return workbook_fault(p, "no zip index");
    case ProblemKind::zip_empty:
      return workbook_fault(p, "an empty zip index");
    case ProblemKind::zip_cut_short:
      return workbook_fault(p, "a zip cut short");
    case ProblemKind::zip_index_broken:
      return workbook_fault(p, "a broken zip index");
    case ProblemKind::zip_entry_unlisted:
      return workbook_fault(p, "an entry of the zip index is unreadable");
    case ProblemKind::zip_entry_unopened:
      return workbook_fault(p, "cannot be opened");
    case ProblemKind::zip_entry_not_inflating:
      return workbook_fault(p, "does not inflate");
    case ProblemKind::zip_entry_wrong_length:
      return workbook_fault(p, "is not as long as its index entry says");
    case ProblemKind::zip_entry_bad_checksum:
      return workbook_fault(p, "fails its checksum");
    case ProblemKind::zip_entry_not_xml:
      return workbook_fault(p, "is not a whole XML document");
    case ProblemKind::stdout_failed:
      return with_reason("cannot write to standard output", p.sys_errno);
    case ProblemKind::rows_beyond_limit:
      return beyond_limit_text(p);
    case ProblemKind::count_beyond_file:
      return count_beyond_text(p);
    case ProblemKind::lines_after_data:
      return lines_after_text(p);
    case ProblemKind::not_a_number:
      return not_a_number_text(p);
    case ProblemKind::code_outside_table:
      return code_outside_text(p);
    case ProblemKind::file_shorter_than_header:
      return shorter_than_header_text(p);
    case ProblemKind::header_not_read:
      return header_not_read_text(p);
    case ProblemKind::time_out_of_range:
      return "the file's time lies outside the years 1900 to 9999, so Time & Date is left empty";
    case ProblemKind::unicode_text:
      return unicode_text_text(p);
  }
  return "unknown problem";
}

}  // namespace ordelix
