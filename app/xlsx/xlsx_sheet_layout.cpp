#include "xlsx_sheet_layout.h"

#include <algorithm>
#include <cmath>

#include "sheet/column_widths.h"

namespace ordelix {
namespace {

constexpr double default_row_pixels = 20;

double width_at(const std::map<int, double>& widths, int col) {
  auto it = widths.find(col);
  return it == widths.end() ? default_column_width : it->second;
}

// The column that holds the point `pixels` from the sheet's left edge.
int column_at(const std::map<int, double>& widths, double pixels) {
  int col = 1;
  for (double right = column_pixels(width_at(widths, 1));
       right < pixels && col < ReportSheet::max_col; right += column_pixels(width_at(widths, col)))
    ++col;
  return col;
}

bool covered_later(const ReportSheet& sheet, std::size_t range_index, int row, int col) {
  const auto& ranges = sheet.font_ranges();
  return std::any_of(ranges.begin() + static_cast<std::ptrdiff_t>(range_index) + 1, ranges.end(),
                     [&](const auto& r) { return r.first.contains(row, col); });
}

bool merged(const ReportSheet& sheet, int row, int col) {
  return std::any_of(sheet.merges().begin(), sheet.merges().end(),
                     [&](const CellRange& m) { return m.contains(row, col); });
}

}  // namespace

lxw_error columns_set(lxw_worksheet* ws, const ReportSheet& sheet,
                      const std::map<int, double>& widths, Formats& formats) {
  int last = widths.empty() ? 0 : widths.rbegin()->first;
  for (const CellRange& cols : sheet.left_aligned_columns()) last = std::max(last, cols.last_col);
  for (int col = 1; col <= last;) {
    double width = width_at(widths, col);
    bool left = sheet.left_aligned(col);
    int end = col;
    while (end < last && width_at(widths, end + 1) == width && sheet.left_aligned(end + 1) == left)
      ++end;
    if (left || width != default_column_width) {
      lxw_error err =
          worksheet_set_column(ws, static_cast<lxw_col_t>(col - 1), static_cast<lxw_col_t>(end - 1),
                               width, formats.column_format(col));
      if (err != LXW_NO_ERROR) return err;
    }
    col = end + 1;
  }
  return LXW_NO_ERROR;
}

lxw_error empty_cells_format(lxw_worksheet* ws, const ReportSheet& sheet, Formats& formats) {
  const auto& ranges = sheet.font_ranges();
  for (std::size_t i = 0; i < ranges.size(); ++i) {
    const CellRange& r = ranges[i].first;
    for (int row = r.first_row; row <= std::min(r.last_row, ReportSheet::max_row); ++row) {
      for (int col = r.first_col; col <= r.last_col; ++col) {
        if (sheet.cell(row, col) || merged(sheet, row, col) || covered_later(sheet, i, row, col))
          continue;
        lxw_error err =
            worksheet_write_blank(ws, static_cast<lxw_row_t>(row - 1),
                                  static_cast<lxw_col_t>(col - 1), formats.of(row, col, false));
        if (err != LXW_NO_ERROR) return err;
      }
    }
  }
  return LXW_NO_ERROR;
}

lxw_error page_setup(lxw_worksheet* ws, const ReportSheet& sheet,
                     const std::map<int, double>& widths) {
  int last_row = sheet.last_row();
  int last_col = 1;
  for (int row = 1; row <= sheet.last_row(); ++row)
    if (!sheet.row_entries(row).empty())
      last_col = std::max(last_col, sheet.row_entries(row).back().col);
  for (const LineChart& chart : sheet.charts()) {
    last_col = std::max(last_col, column_at(widths, (chart.left + chart.width) * pixels_per_point));
    double bottom = (chart.top + chart.height) * pixels_per_point;
    last_row = std::max(last_row, static_cast<int>(std::ceil(bottom / default_row_pixels)));
  }
  worksheet_set_landscape(ws);
  worksheet_fit_to_pages(ws, 1, 0);
  return worksheet_print_area(ws, 0, 0, static_cast<lxw_row_t>(std::max(last_row, 1) - 1),
                              static_cast<lxw_col_t>(last_col - 1));
}

}  // namespace ordelix
