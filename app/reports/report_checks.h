#pragma once

#include <initializer_list>
#include <optional>
#include <span>
#include <string_view>

#include "exportfile/code_tables.h"
#include "report_context.h"

// The reports' reads of an export file that tell of what the file holds
// amiss. Each warns at the line it concerns, and only of lines the file has
// and the report read: a file that ends early, or a header read that stops
// early, is one warning of its own.
namespace ordelix {

// No report, because line `line` holds what `expected` says it does not.
Problem refused_at_line(ReportContext& c, int line, std::string_view expected);

// Adds a warning unless one of its kind stands at its line already.
void report_warn(ReportContext& c, Problem warning);

// Whether the report took header line `line` from the file as it stands.
bool header_line_read(ReportContext& c, int line);

// The value of header line `line`, warning when it holds no number or more.
double header_number(ReportContext& c, int line);

// Warns that the code on header line `line` has no row of its table unless it
// is `known`: `codes` names the table, `instead` tells what the report shows then.
void header_code_check(ReportContext& c, int line, bool known, std::string_view codes,
                       std::string_view instead);

// The table's text for the code on header line `line`, warning when the code
// has none.
std::optional<std::string_view> header_code_text(ReportContext& c, int line,
                                                 std::span<const CodeText> table,
                                                 std::string_view codes, std::string_view instead);

// Warns when header line `line`, compared as text, is none of `known`.
void header_text_code_check(ReportContext& c, int line,
                            std::initializer_list<std::string_view> known, std::string_view codes,
                            std::string_view instead);

// The path length for the code of line 5, warning when the code has none.
std::optional<double> header_path_length(ReportContext& c);

// The background flag of line 7 by its value, warning unless it is 0 (on) or
// 1 (off).
double header_background(ReportContext& c);

// Warns when the file ends before line `header_end`, or when the header read
// stopped before it.
void header_check_end(ReportContext& c, int header_end);

// The value of data line `line`, whose header cut is `text`, warning when it
// holds no number or more. Each data line is to be read so once.
double data_number(ReportContext& c, int line, std::string_view text);

// Warns when `count` items (rounded half to even) of `lines_per_item` lines
// each, from `first_line` on, reach past the end of the file.
void count_check(ReportContext& c, int count_line, double count, std::string_view item,
                 int lines_per_item, int first_line);

// A count of samples and the line that holds it; line 0 for a count the
// file does not hold.
struct SampleCount {
  int line = 0;
  double count = 0;
};

// The sample count on `line`, warning when its samples of `lines_per_sample`
// lines each, from `first_line` on, reach past the end of the file; with no
// lines per sample known, only the count is read.
SampleCount sample_count_read(ReportContext& c, int line, int lines_per_sample, int first_line);

// Column A numbered 1, 2, 3 ... from `first_row` to `last_row` for the samples.
void sample_numbers_write(ReportContext& c, const SampleCount& samples, int first_row,
                          int last_row);

// A series of values on the lines from `first_line` below `count` +
// `first_line`: warns when the file ends before them or goes on after them.
void series_check(ReportContext& c, int count_line, double count, int first_line);

// Warns of the lines from `first_line` to the end of the file, which no table shows.
void lines_after_check(ReportContext& c, long long first_line);

// A data pass from `first_line` on; a value that falls below the sheet's last
// row is told of at its line.
template <class Visit>
void data_lines_write(ReportContext& c, int first_line, Visit&& visit) {
  c.reader.for_each_line_from(first_line, [&](int line, std::string_view value) {
    long long dropped = c.sheet.dropped_writes();
    visit(line, value);
    if (c.sheet.dropped_writes() > dropped) c.lines_left_out.add(line);
  });
}

// Rows that `write` numbers or steps by the count on `count_line`; those
// below the sheet's last row are told of at that line.
template <class Write>
void counted_rows_write(ReportContext& c, int count_line, Write&& write) {
  long long dropped = c.sheet.dropped_writes();
  write();
  if (c.count_line_left_out == 0 && c.sheet.dropped_writes() > dropped)
    c.count_line_left_out = count_line;
}

}  // namespace ordelix
