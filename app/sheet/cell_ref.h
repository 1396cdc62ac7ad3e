#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ordelix {

// A rectangle of cells, rows and columns numbered from 1 (column A is 1).
struct CellRange {
  int first_row;
  int first_col;
  int last_row;
  int last_col;

  bool contains(int row, int col) const {
    return row >= first_row && row <= last_row && col >= first_col && col <= last_col;
  }
  friend bool operator==(const CellRange&, const CellRange&) = default;
};

// "A1:C11", "D2" or whole columns "a:z", letters in either case.
std::optional<CellRange> cell_range_parse(std::string_view a1);

std::string column_letters(int col);
std::string cell_name(int row, int col);

}  // namespace ordelix
