#pragma once

#include <string>

namespace ordelix {

// What a row of a report is, as its writer marks it, for reading the report
// as data: a row of the header block (its label in A, its value in D), or a
// table's title, heading, data or note row. A note is a text shown with a
// table outside its heading and rows, such as the calibration's equation.
enum class RowPart { header, table_title, table_heading, table_data, table_note };

// A table's column: its heading stands in `heading_col`, its values below it
// in `data_col`.
struct TableColumn {
  int heading_col;
  int data_col;
};

// Rows `first_row` to `last_row` are `part`; of table `table` for a table's part.
struct PartMark {
  RowPart part;
  int table;
  int first_row;
  int last_row;
};

// A row's part, by the last mark over it; `marked` is false for a row of none.
struct RowRole {
  bool marked = false;
  RowPart part = RowPart::header;
  int table = -1;
};

// A table that a picture of the report draws as a curve: its first column
// across, its second up.
struct TableCurve {
  int table;
  std::string title;
};

}  // namespace ordelix
