#include "report_sheet.h"

#include <algorithm>
#include <cmath>

#include "base/number_text.h"

namespace ordelix {

namespace {

using Entry = ReportSheet::Entry;

Entry number_entry(int col, double value) {
  Entry e{col, false, Entry::Kind::number, {}};
  e.held.number = value;
  return e;
}

Entry text_entry(int col, bool layout, const std::string* stored) {
  Entry e{col, layout, Entry::Kind::text, {}};
  e.held.text = stored;
  return e;
}

}  // namespace

CellValue ReportSheet::Entry::value() const {
  switch (kind) {
    case Kind::number:
      return held.number;
    case Kind::date_time:
      return *held.date_time;
    case Kind::text:
      break;
  }
  return std::string_view(*held.text);
}

ReportSheet::Cells::Cells(const Cells& other) : rows_(other.rows_), entries_(other.entries_) {
  for (const Row& r : rows_) {
    for (Entry& e : std::span<Entry>(entries_.data() + r.first, r.count)) {
      if (e.kind == Entry::Kind::text)
        e.held.text = text_stored(std::get<std::string_view>(e.value()));
      else if (e.kind == Entry::Kind::date_time)
        e.held.date_time = date_time_stored(*e.held.date_time);
    }
  }
}

ReportSheet::Cells& ReportSheet::Cells::operator=(const Cells& other) {
  if (this != &other) *this = Cells(other);
  return *this;
}

const std::string* ReportSheet::Cells::text_stored(std::string_view text) {
  return &texts_.emplace_back(text);
}

const DateTime* ReportSheet::Cells::date_time_stored(const DateTime& value) {
  return &dates_.emplace_back(value);
}

void ReportSheet::Cells::put(int row, const Entry& entry) {
  if (row > rows()) rows_.resize(static_cast<std::size_t>(row));
  Row& r = rows_[row - 1];
  Entry* begin = entries_.data() + r.first;
  Entry* end = begin + r.count;
  Entry* it =
      std::lower_bound(begin, end, entry.col, [](const Entry& e, int c) { return e.col < c; });
  if (it != end && it->col == entry.col) {
    *it = entry;
    return;
  }
  std::size_t at = it - begin;
  if (r.count == r.capacity) row_grow(r);
  begin = entries_.data() + r.first;
  std::move_backward(begin + at, begin + r.count, begin + r.count + 1);
  begin[at] = entry;
  ++r.count;
}

void ReportSheet::Cells::row_grow(Row& row) {
  std::size_t first = entries_.size();
  auto capacity = static_cast<std::uint16_t>(std::max(2, row.capacity * 2));
  entries_.resize(first + capacity);
  std::copy_n(entries_.begin() + row.first, row.count, entries_.begin() + first);
  row.first = static_cast<std::uint32_t>(first);
  row.capacity = capacity;
}

void ReportSheet::set_text(int row, int col, std::string_view text) {
  if (auto number = numeric_text_value(text)) {
    put(row, number_entry(col, *number));
    return;
  }
  put(row, text_entry(col, false, cells_.text_stored(text)));
}

void ReportSheet::set_number(int row, int col, double value) {
  if (std::isfinite(value)) put(row, number_entry(col, value));
}

void ReportSheet::set_date_time(int row, int col, const DateTime& value) {
  Entry e{col, false, Entry::Kind::date_time, {}};
  e.held.date_time = cells_.date_time_stored(value);
  put(row, e);
}

void ReportSheet::set_layout_text(int row, int col, std::string_view text) {
  put(row, text_entry(col, true, cells_.text_stored(text)));
}

// A text or date is stored before its cell is known to be in the sheet: such
// writes are few.
void ReportSheet::put(int row, const Entry& entry) {
  if (row < 1 || entry.col < 1 || entry.col > max_col) return;
  if (row > max_row) {
    ++dropped_writes_;
    return;
  }
  cells_.put(row, entry);
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

std::optional<CellValue> ReportSheet::cell(int row, int col) const {
  if (row < 1 || row > last_row()) return std::nullopt;
  std::span<const Entry> entries = row_entries(row);
  auto it = std::lower_bound(entries.begin(), entries.end(), col,
                             [](const Entry& e, int c) { return e.col < c; });
  if (it == entries.end() || it->col != col) return std::nullopt;
  return it->value();
}

std::optional<double> ReportSheet::number_at(int row, int col) const {
  std::optional<CellValue> value = cell(row, col);
  const auto* number = value ? std::get_if<double>(&*value) : nullptr;
  return number ? std::optional<double>(*number) : std::nullopt;
}

std::optional<std::string_view> ReportSheet::text_at(int row, int col) const {
  std::optional<CellValue> value = cell(row, col);
  const auto* text = value ? std::get_if<std::string_view>(&*value) : nullptr;
  return text ? std::optional<std::string_view>(*text) : std::nullopt;
}

std::optional<Font> ReportSheet::font_at(int row, int col) const {
  int range = font_range_at(row, col);
  if (range < 0) return std::nullopt;
  return fonts_[static_cast<std::size_t>(range)].second;
}

int ReportSheet::font_range_at(int row, int col) const {
  for (auto it = fonts_.rbegin(); it != fonts_.rend(); ++it)
    if (it->first.contains(row, col)) return static_cast<int>(fonts_.rend() - it) - 1;
  return -1;
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
