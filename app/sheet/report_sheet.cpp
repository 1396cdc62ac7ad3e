#include "report_sheet.h"

#include <algorithm>
#include <cmath>

#include "base/number_text.h"

namespace ordelix {

void ReportSheet::set_text(int row, int col, std::string_view text) {
  if (auto number = numeric_text_value(text))
    put(row, col, *number);
  else
    put(row, col, std::string(text));
}

void ReportSheet::set_number(int row, int col, double value) {
  if (std::isfinite(value)) put(row, col, value);
}

void ReportSheet::set_date_time(int row, int col, const DateTime& value) {
  put(row, col, value);
}

void ReportSheet::set_layout_text(int row, int col, std::string_view text) {
  put(row, col, std::string(text), true);
}

void ReportSheet::put(int row, int col, CellValue value, bool layout) {
  if (row < 1 || col < 1 || col > max_col) return;
  if (row > max_row) {
    ++dropped_writes_;
    return;
  }
  if (row > last_row()) rows_.resize(static_cast<std::size_t>(row));
  auto& entries = rows_[row - 1];
  auto it = std::lower_bound(entries.begin(), entries.end(), col,
                             [](const Entry& e, int c) { return e.col < c; });
  if (it != entries.end() && it->col == col)
    *it = Entry{col, layout, std::move(value)};
  else
    entries.insert(it, Entry{col, layout, std::move(value)});
}

void ReportSheet::set_font(std::string_view a1_range, const Font& font) {
  if (auto range = cell_range_parse(a1_range)) fonts_.emplace_back(*range, font);
}

void ReportSheet::merge(std::string_view a1_range) {
  if (auto range = cell_range_parse(a1_range)) merges_.push_back(*range);
}

void ReportSheet::align_left(std::string_view a1_columns) {
  if (auto range = cell_range_parse(a1_columns)) left_columns_.push_back(*range);
}

void ReportSheet::mark_header_row(int row) {
  part_marks_.push_back({RowPart::header, 0, row, row});
}

int ReportSheet::add_table(std::vector<TableColumn> columns) {
  tables_.push_back(std::move(columns));
  return static_cast<int>(tables_.size()) - 1;
}

void ReportSheet::mark_table_rows(int table, RowPart part, int first_row, int last_row) {
  part_marks_.push_back({part, table, first_row, std::min(last_row, max_row)});
}

void ReportSheet::mark_curve(int table, std::string_view title) {
  curves_.push_back({table, std::string(title)});
}

const CellValue* ReportSheet::cell(int row, int col) const {
  if (row < 1 || row > last_row()) return nullptr;
  const auto& entries = rows_[row - 1];
  auto it = std::lower_bound(entries.begin(), entries.end(), col,
                             [](const Entry& e, int c) { return e.col < c; });
  return it != entries.end() && it->col == col ? &it->value : nullptr;
}

std::optional<Font> ReportSheet::font_at(int row, int col) const {
  for (auto it = fonts_.rbegin(); it != fonts_.rend(); ++it)
    if (it->first.contains(row, col)) return it->second;
  return std::nullopt;
}

bool ReportSheet::left_aligned(int col) const {
  return std::any_of(left_columns_.begin(), left_columns_.end(),
                     [col](const CellRange& r) { return col >= r.first_col && col <= r.last_col; });
}

std::vector<RowRole> row_roles(const ReportSheet& sheet) {
  std::vector<RowRole> roles(static_cast<std::size_t>(sheet.last_row()) + 1);
  for (const PartMark& mark : sheet.part_marks()) {
    int last = std::min(mark.last_row, sheet.last_row());
    for (int row = std::max(mark.first_row, 1); row <= last; ++row)
      roles[static_cast<std::size_t>(row)] = {true, mark.part, mark.table};
  }
  return roles;
}

}  // namespace ordelix
