#include "report_checks.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "base/number_text.h"
#include "exportfile/line_values.h"
#include "report_layout.h"

namespace ordelix {
namespace {

// Counts beyond this are nonsense; a warning need only tell that they are far
// too many.
constexpr double most_counted = 1e15;

long long counted_items(double count) {
  if (!(count > 0)) return 0;
  return static_cast<long long>(std::rint(std::min(count, most_counted)));
}

Problem not_a_number_read(int line, std::string_view quote, const LenientReading& reading) {
  return not_a_number_warning(line, quote, reading.fit == NumberFit::leading_part,
                              "read as " + general_number_text(reading.value));
}

}  // namespace

Problem refused_at_line(ReportContext& c, int line, std::string_view expected) {
  std::optional<std::string_view> text;
  if (line <= c.reader.file_line_count()) text = c.reader.file_line(line);
  return refusal_of_line(line, text, expected);
}

void report_warn(ReportContext& c, Problem warning) {
  for (const Problem& p : c.warnings)
    if (p.kind == warning.kind && p.line == warning.line) return;
  c.warnings.push_back(std::move(warning));
}

bool header_line_read(ReportContext& c, int line) {
  return line <= c.reader.file_line_count() && line <= c.reader.state().header_read_to;
}

double header_number(ReportContext& c, int line) {
  LenientReading reading = lenient_number_reading(c.reader.field_of_line(line));
  if (reading.fit != NumberFit::whole && header_line_read(c, line))
    report_warn(c, not_a_number_read(line, c.reader.file_line(line), reading));
  return reading.value;
}

void header_code_check(ReportContext& c, int line, bool known, std::string_view codes,
                       std::string_view instead) {
  if (!known && header_line_read(c, line))
    report_warn(c, code_outside_table_warning(line, c.reader.file_line(line), codes, instead));
}

std::optional<std::string_view> header_code_text(ReportContext& c, int line,
                                                 std::span<const CodeText> table,
                                                 std::string_view codes, std::string_view instead) {
  std::optional<std::string_view> text = code_text_lookup(table, header_number(c, line));
  header_code_check(c, line, text.has_value(), codes, instead);
  return text;
}

void header_text_code_check(ReportContext& c, int line,
                            std::initializer_list<std::string_view> known, std::string_view codes,
                            std::string_view instead) {
  std::string_view field = c.reader.field_of_line(line);
  header_code_check(c, line, std::find(known.begin(), known.end(), field) != known.end(), codes,
                    instead);
}

std::optional<double> header_path_length(ReportContext& c) {
  std::optional<double> mm = path_length_of_code(header_number(c, 5));
  header_code_check(c, 5, mm.has_value(), "path length codes", "the path length stays empty");
  return mm;
}

double header_background(ReportContext& c) {
  double flag = header_number(c, 7);
  header_code_check(c, 7, flag == 0 || flag == 1, "background codes 0 and 1",
                    "the background stays empty");
  return flag;
}

void header_check_end(ReportContext& c, int header_end) {
  long long lines = c.reader.file_line_count();
  int read_to = c.reader.state().header_read_to;
  if (lines < header_end)
    report_warn(c, file_shorter_than_header_warning(lines, header_end));
  else if (read_to < header_end)
    report_warn(c, header_not_read_warning(std::max(read_to + 1, ReadingState::first_field_line),
                                           lines, header_end));
}

// A data pass reads each line once, so its warnings need no search for an
// earlier one; and the cut it reads is all the report shows of the line.
double data_number(ReportContext& c, int line, std::string_view text) {
  LenientReading reading = lenient_number_reading(text);
  if (reading.fit != NumberFit::whole) c.warnings.push_back(not_a_number_read(line, text, reading));
  return reading.value;
}

void count_check(ReportContext& c, int count_line, double count, std::string_view item,
                 int lines_per_item, int first_line) {
  if (!header_line_read(c, count_line)) return;
  long long items = counted_items(count);
  long long held = std::max(0LL, c.reader.file_line_count() - first_line + 1);
  if (items * lines_per_item > held)
    report_warn(c, count_beyond_file_warning(count_line, items, item, lines_per_item, held));
}

SampleCount sample_count_read(ReportContext& c, int line, int lines_per_sample, int first_line) {
  SampleCount samples{line, header_number(c, line)};
  if (lines_per_sample > 0)
    count_check(c, line, samples.count, "sample", lines_per_sample, first_line);
  return samples;
}

void sample_numbers_write(ReportContext& c, const SampleCount& samples, int first_row,
                          int last_row) {
  counted_rows_write(c, samples.line, [&] { layout::data_numbers(c.sheet, first_row, last_row); });
}

void series_check(ReportContext& c, int count_line, double count, int first_line) {
  if (!header_line_read(c, count_line)) return;
  // The lines n with first_line <= n < count + first_line.
  long long values = counted_items(std::ceil(count));
  long long held = std::max(0LL, c.reader.file_line_count() - first_line + 1);
  if (values > held)
    report_warn(c, count_beyond_file_warning(count_line, values, "value", 1, held));
  else
    lines_after_check(c, first_line + values);
}

void lines_after_check(ReportContext& c, long long first_line) {
  long long lines = c.reader.file_line_count();
  if (lines >= first_line)
    report_warn(c, lines_after_data_warning(first_line, lines - first_line + 1));
}

}  // namespace ordelix
