#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include <gtest/gtest.h>

#include "sheet/cell_ref.h"
#include "sheet/report_sheet.h"
#include "test_support.h"

// Tables of what a report's cells hold. Each entry is checked on its own and a
// failure names the cell and the table row, so one table can stand for a
// whole layout.
namespace ordelix::test {

// Export file lines by number, from 1.
using Changes = std::map<int, std::string>;

inline Lines with_changes(Lines lines, const Changes& changed) {
  for (const auto& [line, text] : changed) lines.at(static_cast<std::size_t>(line - 1)) = text;
  return lines;
}

struct Nothing {};  // no cell, or an empty text, which the workbook leaves blank
struct AnyDate {};  // the export file's creation time, which no table can know

using Expected = std::variant<Nothing, std::string, double, AnyDate>;

inline constexpr Nothing nothing{};
inline constexpr AnyDate any_date{};

inline void expect_cell(const ReportSheet& sheet, int row, int col, const Expected& expected) {
  SCOPED_TRACE(cell_name(row, col));
  if (const auto* text = std::get_if<std::string>(&expected)) {
    EXPECT_EQ(text_at(sheet, row, col), *text);
  } else if (const auto* number = std::get_if<double>(&expected)) {
    EXPECT_EQ(number_at(sheet, row, col), *number);
  } else if (std::holds_alternative<AnyDate>(expected)) {
    std::optional<CellValue> value = sheet.cell(row, col);
    EXPECT_TRUE(value && std::holds_alternative<DateTime>(*value));
  } else {
    EXPECT_TRUE(is_empty(sheet, row, col));
  }
}

struct Cell {
  int row;
  int col;
  Expected value;
};

inline void expect_cells(const ReportSheet& sheet, const std::vector<Cell>& cells) {
  for (const Cell& cell : cells) expect_cell(sheet, cell.row, cell.col, cell.value);
}

struct ColumnValue {
  int col;
  Expected value;
};

// The row holds these cells and no others.
inline void expect_row(const ReportSheet& sheet, int row, const std::vector<ColumnValue>& cells) {
  SCOPED_TRACE(::testing::Message() << "row " << row);
  for (const ColumnValue& cell : cells) expect_cell(sheet, row, cell.col, cell.value);
  if (row > sheet.last_row()) {
    ADD_FAILURE() << "the sheet ends at row " << sheet.last_row();
    return;
  }
  EXPECT_EQ(sheet.row_entries(row).size(), cells.size());
}

// A header block row: the label padded with blanks to `width` characters in
// column A, its value in column D.
struct HeaderRow {
  int row;
  std::string label;
  std::size_t width;
  Expected value;
};

inline void expect_header_rows(const ReportSheet& sheet, const std::vector<HeaderRow>& rows) {
  for (const HeaderRow& r : rows) {
    SCOPED_TRACE(::testing::Message() << "header row " << r.row << " \"" << r.label << "\"");
    // A width below the label's length would cut the expected label too.
    EXPECT_GE(r.width, r.label.size());
    expect_cell(sheet, r.row, columns::A, padded(r.label, r.width));
    expect_cell(sheet, r.row, columns::D, r.value);
  }
}

struct FontArea {
  CellRange cells;
  Font font;
};

// gtest would print a Font as its bytes.
inline std::string font_text(const std::optional<Font>& font) {
  if (!font) return "no font";
  ::testing::Message text;
  text << "size " << font->size << (font->bold ? " bold" : "") << (font->italic ? " italic" : "")
       << " colour " << font->color_index;
  return text.GetString();
}

// Every cell of each area has the area's font, whether written or not.
inline void expect_fonts(const ReportSheet& sheet, const std::vector<FontArea>& areas) {
  for (const FontArea& area : areas)
    for (int row = area.cells.first_row; row <= area.cells.last_row; ++row)
      for (int col = area.cells.first_col; col <= area.cells.last_col; ++col) {
        std::optional<Font> font = sheet.font_at(row, col);
        EXPECT_TRUE(font == area.font) << cell_name(row, col) << " has " << font_text(font)
                                       << ", not " << font_text(area.font);
      }
}

}  // namespace ordelix::test
