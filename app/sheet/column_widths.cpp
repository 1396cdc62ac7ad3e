#include "column_widths.h"

#include <variant>

namespace ordelix {
namespace {

// "2026/12/28 23:59:59" in the 12-point report font, with room for a fallback
// font wider than the workbook's own.
constexpr double date_time_width = 22;

constexpr int max_digit_pixels = 7;
constexpr int column_padding_pixels = 5;

CellRange cell_span(const ReportSheet& sheet, int row, int col) {
  for (const CellRange& m : sheet.merges())
    if (m.contains(row, col)) return m;
  return CellRange{row, col, row, col};
}

}  // namespace

std::map<int, double> column_widths(const ReportSheet& sheet) {
  std::map<int, double> widths;
  auto width_of = [&widths](int col) {
    auto it = widths.find(col);
    return it == widths.end() ? default_column_width : it->second;
  };
  for (int row = 1; row <= sheet.last_row(); ++row) {
    for (const ReportSheet::Entry& entry : sheet.row_entries(row)) {
      if (!std::holds_alternative<DateTime>(entry.value())) continue;
      CellRange span = cell_span(sheet, row, entry.col);
      double others = 0;
      for (int col = span.first_col + 1; col <= span.last_col; ++col) others += width_of(col);
      double needed = date_time_width - others;
      if (needed > width_of(span.first_col)) widths[span.first_col] = needed;
    }
  }
  return widths;
}

int column_pixels(double width) {
  return static_cast<int>(width * max_digit_pixels + 0.5) + column_padding_pixels;
}

}  // namespace ordelix
