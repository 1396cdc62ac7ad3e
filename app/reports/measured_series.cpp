#include "measured_series.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "exportfile/line_values.h"
#include "report_checks.h"

namespace ordelix::series {
namespace {

// A row count from the file beyond this is nonsense; the warning need only
// say that very much was left out.
constexpr double most_counted_rows = 1e15;

}  // namespace

std::optional<std::string_view> data_mode_read(ReportContext& c) {
  static constexpr std::array<CodeText, 3> table{{{0, "%T"}, {1, "OD"}, {2, "E(S)"}}};
  return header_code_text(c, 6, table, "data mode codes", "the data mode stays empty");
}

std::string padded(std::string_view text, int width) {
  std::string line(text);
  if (static_cast<int>(line.size()) < width) line.resize(static_cast<std::size_t>(width), ' ');
  return line;
}

void running_column(ReportSheet& sheet, int col, int first_row, double last_row, double start,
                    double step) {
  int last = std::min(round_half_even_int16(last_row), ReportSheet::max_row);
  double value = start;
  for (int row = first_row; row <= last; ++row) {
    sheet.set_number(row, col, value);
    value += step;
  }
  double beyond = std::rint(last_row) - std::max(ReportSheet::max_row, first_row - 1);
  if (beyond > 0)
    sheet.count_dropped_writes(static_cast<long long>(std::min(beyond, most_counted_rows)));
}

}  // namespace ordelix::series
