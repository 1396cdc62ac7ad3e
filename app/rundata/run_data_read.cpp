#include "run_data_read.h"

#include <algorithm>
#include <array>

#include "base/cp1252.h"
#include "base/float_chars.h"
#include "base/number_text.h"
#include "iso_date_time.h"

namespace ordelix {
namespace {

constexpr int no_table = -1;
constexpr int no_column = -1;

struct Cell {
  int col;
  DataValue value;
};

// What a table shows, row by row.
struct TableRows {
  bool shown = false;
  DataValue title;
  std::vector<Cell> headings;
  std::vector<std::vector<Cell>> rows;
  std::vector<DataValue> notes;
};

// A workbook holds a number as its library prints it, in 16 significant
// digits: a running sum's 25.200000000000003 is 25.2 there.
double workbook_number(double value) {
  constexpr int workbook_digits = 16;
  return numeric_text_value(float_text(value, std::chars_format::general, workbook_digits))
      .value_or(value);
}

std::string trailing_blanks_trimmed(std::string text) {
  text.erase(text.find_last_not_of(' ') + 1);
  return text;
}

class SheetReading {
 public:
  SheetReading(const ReportSheet& sheet, std::time_t created)
      : sheet_(sheet), created_(created), tables_(sheet.tables().size()) {}

  RunData read() {
    std::vector<RowRole> roles = row_roles(sheet_);
    for (int row = 1; row <= sheet_.last_row(); ++row) {
      std::vector<Cell> cells = cells_of(row);
      if (!cells.empty()) place(roles[static_cast<std::size_t>(row)], std::move(cells));
    }
    if (current_table_ == no_table) unplaced_into_header();
    return assembled();
  }

 private:
  DataValue value_of(const CellValue& cell) {
    if (const auto* number = std::get_if<double>(&cell)) return workbook_number(*number);
    if (const auto* text = std::get_if<std::string_view>(&cell)) {
      if (text->empty()) return std::monostate{};
      return cp1252_to_utf8(*text);
    }
    std::string iso = iso_date_time(std::get<DateTime>(cell), created_);
    if (run_.created.empty()) run_.created = iso;
    return iso;
  }

  std::vector<Cell> cells_of(int row) {
    std::vector<Cell> cells;
    for (const ReportSheet::Entry& entry : sheet_.row_entries(row)) {
      if (entry.layout) continue;
      DataValue value = value_of(entry.value());
      if (!std::holds_alternative<std::monostate>(value))
        cells.push_back({entry.col, std::move(value)});
    }
    return cells;
  }

  void place(const RowRole& role, std::vector<Cell> cells) {
    if (!role.marked) {
      unplaced_add(std::move(cells));
      return;
    }
    switch (role.part) {
      case RowPart::header:
        header_row_place(std::move(cells));
        break;
      case RowPart::table_title:
        table_title_place(table_shown(role.table), std::move(cells));
        break;
      case RowPart::table_heading:
        table_shown(role.table).headings = std::move(cells);
        break;
      case RowPart::table_data:
        table_shown(role.table).rows.push_back(std::move(cells));
        break;
      case RowPart::table_note:
        notes_add(table_shown(role.table), std::move(cells));
        break;
    }
  }

  TableRows& table_shown(int table) {
    TableRows& rows = tables_[static_cast<std::size_t>(table)];
    if (!rows.shown) {
      rows.shown = true;
      shown_.push_back(table);
    }
    if (current_table_ == no_table) {
      // What stood above the first table goes with it.
      rows.notes = std::move(unplaced_);
      unplaced_.clear();
    }
    current_table_ = table;
    return rows;
  }

  void table_title_place(TableRows& table, std::vector<Cell> cells) {
    if (cells.front().col == 1) {
      table.title = std::move(cells.front().value);
      cells.erase(cells.begin());
    }
    notes_add(table, std::move(cells));
  }

  // Label in A, value in D; anything else in the row has no place there.
  void header_row_place(std::vector<Cell> cells) {
    HeaderEntry entry;
    bool found = false;
    std::vector<Cell> rest;
    for (Cell& cell : cells) {
      auto* label = std::get_if<std::string>(&cell.value);
      if (cell.col == 1 && label != nullptr) {
        entry.label = trailing_blanks_trimmed(std::move(*label));
        found = true;
      } else if (cell.col == 4) {
        entry.value = std::move(cell.value);
        found = true;
      } else {
        rest.push_back(std::move(cell));
      }
    }
    if (found) run_.header.push_back(std::move(entry));
    unplaced_add(std::move(rest));
  }

  static void notes_add(TableRows& table, std::vector<Cell> cells) {
    for (Cell& cell : cells) table.notes.push_back(std::move(cell.value));
  }

  // Cells with no place in their row's part: notes of the table above, or,
  // above every table, of the first one.
  void unplaced_add(std::vector<Cell> cells) {
    if (current_table_ != no_table) {
      notes_add(tables_[static_cast<std::size_t>(current_table_)], std::move(cells));
      return;
    }
    for (Cell& cell : cells) unplaced_.push_back(std::move(cell.value));
  }

  // A report without tables keeps them in its header, unlabelled.
  void unplaced_into_header() {
    for (DataValue& value : unplaced_) run_.header.push_back({"", std::move(value)});
  }

  RunData assembled();

  const ReportSheet& sheet_;
  std::time_t created_;
  std::vector<TableRows> tables_;
  std::vector<DataValue> unplaced_;
  std::vector<int> shown_;  // the tables in the order the sheet shows them
  int current_table_ = no_table;
  RunData run_;
};

// The declared columns, then one for each other column that a heading or a
// value stands in, in the order of their values' columns.
std::vector<TableColumn> columns_shown(std::vector<TableColumn> columns, const TableRows& rows) {
  auto add = [&](int col, int TableColumn::*by) {
    if (std::none_of(columns.begin(), columns.end(),
                     [&](const TableColumn& c) { return c.*by == col; }))
      columns.push_back({col, col});
  };
  for (const Cell& cell : rows.headings) add(cell.col, &TableColumn::heading_col);
  for (const auto& row : rows.rows)
    for (const Cell& cell : row) add(cell.col, &TableColumn::data_col);
  std::stable_sort(columns.begin(), columns.end(), [](const TableColumn& a, const TableColumn& b) {
    return a.data_col < b.data_col;
  });
  return columns;
}

// For each column of the sheet, the index in `columns` of the first whose
// `by` it is.
std::array<int, ReportSheet::max_col + 1> column_index(const std::vector<TableColumn>& columns,
                                                       int TableColumn::*by) {
  std::array<int, ReportSheet::max_col + 1> index;
  index.fill(no_column);
  for (std::size_t k = columns.size(); k-- > 0;)
    index[static_cast<std::size_t>(columns[k].*by)] = static_cast<int>(k);
  return index;
}

std::vector<DataValue> table_line(const std::vector<Cell>& cells, std::size_t width,
                                  const std::array<int, ReportSheet::max_col + 1>& index) {
  std::vector<DataValue> line(width);
  for (const Cell& cell : cells)
    line[static_cast<std::size_t>(index[static_cast<std::size_t>(cell.col)])] = cell.value;
  return line;
}

DataTable table_data(const std::vector<TableColumn>& declared, TableRows rows) {
  std::vector<TableColumn> columns = columns_shown(declared, rows);
  DataTable table;
  table.title = std::move(rows.title);
  table.columns =
      table_line(rows.headings, columns.size(), column_index(columns, &TableColumn::heading_col));
  auto by_data = column_index(columns, &TableColumn::data_col);
  for (const auto& row : rows.rows) table.rows.push_back(table_line(row, columns.size(), by_data));
  table.notes = std::move(rows.notes);
  return table;
}

RunData SheetReading::assembled() {
  for (int t : shown_) {
    auto at = static_cast<std::size_t>(t);
    run_.tables.push_back(table_data(sheet_.tables()[at], std::move(tables_[at])));
  }
  return std::move(run_);
}

}  // namespace

RunData run_data_read(const ReportSheet& sheet, std::time_t created) {
  return SheetReading(sheet, created).read();
}

}  // namespace ordelix
