#include <cmath>
#include <limits>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "sheet/cell_ref.h"
#include "sheet/report_sheet.h"
#include "test_support.h"

namespace ordelix {
namespace {

using test::bold;
using test::plain;

using test::number_at;
using test::text_at;

TEST(ReportSheet, NumericTextIsStoredAsNumber) {
  ReportSheet sheet;
  sheet.set_text(5, 4, "0.500");
  sheet.set_text(6, 4, " 595 ");
  sheet.set_text(7, 4, "-0.2");
  EXPECT_EQ(number_at(sheet, 5, 4), 0.5);
  EXPECT_EQ(number_at(sheet, 6, 4), 595.0);
  EXPECT_EQ(number_at(sheet, 7, 4), -0.2);
}

TEST(ReportSheet, OtherTextIsStoredExactly) {
  ReportSheet sheet;
  sheet.set_text(1, 1, "Method                ");
  sheet.set_text(2, 1, std::string(70, ' '));
  sheet.set_text(3, 1, "1e999");
  sheet.set_text(4, 1, "1,5");
  sheet.set_text(5, 1, "\xB5g/ml");
  EXPECT_EQ(text_at(sheet, 1, 1), "Method                ");
  EXPECT_EQ(text_at(sheet, 2, 1), std::string(70, ' '));
  EXPECT_EQ(text_at(sheet, 3, 1), "1e999");
  EXPECT_EQ(text_at(sheet, 4, 1), "1,5");
  EXPECT_EQ(text_at(sheet, 5, 1), "\xB5g/ml");
}

TEST(ReportSheet, NumbersAndDates) {
  ReportSheet sheet;
  sheet.set_number(14, 1, 3);
  DateTime when{2024, 3, 7, 9, 5, 2};
  sheet.set_date_time(2, 4, when);
  EXPECT_EQ(number_at(sheet, 14, 1), 3.0);
  std::optional<CellValue> cell = sheet.cell(2, 4);
  ASSERT_TRUE(cell);
  ASSERT_TRUE(std::holds_alternative<DateTime>(*cell));
  EXPECT_EQ(std::get<DateTime>(*cell), when);
  EXPECT_EQ(sheet.number_at(2, 4), std::nullopt);
  EXPECT_EQ(sheet.text_at(2, 4), std::nullopt);
  EXPECT_EQ(sheet.text_at(14, 1), std::nullopt);
  EXPECT_EQ(sheet.cell(1, 1), std::nullopt);
  EXPECT_EQ(sheet.cell(100, 1), std::nullopt);
}

TEST(ReportSheet, NonFiniteNumberLeavesCellAlone) {
  ReportSheet sheet;
  sheet.set_number(1, 1, std::numeric_limits<double>::quiet_NaN());
  sheet.set_number(1, 2, std::numeric_limits<double>::infinity());
  EXPECT_EQ(sheet.cell(1, 1), std::nullopt);
  EXPECT_EQ(sheet.cell(1, 2), std::nullopt);
  sheet.set_text(2, 1, "kept");
  sheet.set_number(2, 1, -std::numeric_limits<double>::infinity());
  sheet.set_number(2, 1, std::nan(""));
  EXPECT_EQ(text_at(sheet, 2, 1), "kept");
}

TEST(ReportSheet, WritesOutsideTheSheetAreSkipped) {
  ReportSheet sheet;
  sheet.set_text(0, 1, "x");
  sheet.set_number(1, 0, 1);
  sheet.set_number(-3, 2, 1);
  sheet.set_number(1, ReportSheet::max_col + 1, 1);
  EXPECT_EQ(sheet.cell(0, 1), std::nullopt);
  EXPECT_EQ(sheet.cell(1, 0), std::nullopt);
  EXPECT_EQ(sheet.cell(1, ReportSheet::max_col + 1), std::nullopt);
  EXPECT_EQ(sheet.last_row(), 0);
  EXPECT_EQ(sheet.dropped_writes(), 0);
}

TEST(ReportSheet, RowsBeyondTheLastAreDroppedAndCounted) {
  ReportSheet sheet;
  sheet.set_number(ReportSheet::max_row, 1, 7);
  sheet.set_number(ReportSheet::max_row + 1, 1, 8);
  sheet.set_text(ReportSheet::max_row + 2, 3, "0.5");
  EXPECT_EQ(number_at(sheet, ReportSheet::max_row, 1), 7.0);
  EXPECT_EQ(sheet.cell(ReportSheet::max_row + 1, 1), std::nullopt);
  EXPECT_EQ(sheet.last_row(), ReportSheet::max_row);
  EXPECT_EQ(sheet.dropped_writes(), 2);
}

TEST(ReportSheet, LaterWriteReplacesCell) {
  ReportSheet sheet;
  sheet.set_text(3, 3, "first");
  sheet.set_number(3, 3, 2);
  EXPECT_EQ(number_at(sheet, 3, 3), 2.0);
  sheet.set_text(3, 3, "second");
  EXPECT_EQ(text_at(sheet, 3, 3), "second");
  sheet.set_text(3, 1, "a");
  sheet.set_text(3, 5, "e");
  ASSERT_EQ(sheet.row_entries(3).size(), 3u);
  EXPECT_EQ(sheet.row_entries(3)[0].col, 1);
  EXPECT_EQ(sheet.row_entries(3)[1].col, 3);
  EXPECT_EQ(sheet.row_entries(3)[2].col, 5);
}

TEST(ReportSheet, RowsGrowInAnyOrderAndKeepEveryCell) {
  ReportSheet sheet;
  // Row 2 first fills its room, then moves as row 1 and 3 take theirs.
  for (int col = ReportSheet::max_col; col >= 1; col -= 3) {
    sheet.set_number(2, col, col);
    sheet.set_text(1, col, "c" + std::to_string(col));
    sheet.set_number(3, 300 - col, col);  // mirrored: from col 43 down, past max_col
  }
  auto row2 = sheet.row_entries(2);
  ASSERT_EQ(row2.size(), 86u);  // 256, 253, ..., 1
  for (std::size_t k = 0; k < row2.size(); ++k) {
    EXPECT_EQ(row2[k].col, 1 + 3 * static_cast<int>(k));
    EXPECT_EQ(std::get<double>(row2[k].value()), row2[k].col);
  }
  EXPECT_EQ(text_at(sheet, 1, 256), "c256");
  EXPECT_EQ(text_at(sheet, 1, 1), "c1");
  EXPECT_EQ(sheet.cell(1, 2), std::nullopt);
  EXPECT_EQ(sheet.row_entries(3).size(), 71u);  // 44, 47, ..., 254
  EXPECT_EQ(number_at(sheet, 3, 44), 256.0);
  EXPECT_EQ(number_at(sheet, 3, 254), 46.0);
  EXPECT_EQ(sheet.cell(3, 256), std::nullopt);
}

TEST(ReportSheet, TextsKeepEveryByte) {
  ReportSheet sheet;
  sheet.set_text(1, 1, std::string("a\0b", 3));
  sheet.set_text(1, 2, "");
  sheet.set_layout_text(1, 3, std::string(5000, '-'));
  EXPECT_EQ(text_at(sheet, 1, 1), std::string("a\0b", 3));
  EXPECT_EQ(text_at(sheet, 1, 2), "");
  EXPECT_EQ(text_at(sheet, 1, 3), std::string(5000, '-'));
  EXPECT_TRUE(sheet.row_entries(1)[2].layout);
  EXPECT_FALSE(sheet.row_entries(1)[0].layout);
}

TEST(ReportSheet, CopyOutlivesItsOriginal) {
  auto original = std::make_unique<ReportSheet>();
  original->set_text(1, 1, "Method");
  original->set_date_time(2, 4, DateTime{2024, 3, 7, 9, 5, 2});
  original->set_number(3, 2, 0.5);
  ReportSheet copy = *original;
  ReportSheet assigned;
  assigned.set_text(9, 9, "gone");
  assigned = *original;
  original.reset();
  for (const ReportSheet* sheet : {&copy, &assigned}) {
    EXPECT_EQ(text_at(*sheet, 1, 1), "Method");
    EXPECT_EQ(std::get<DateTime>(*sheet->cell(2, 4)), (DateTime{2024, 3, 7, 9, 5, 2}));
    EXPECT_EQ(number_at(*sheet, 3, 2), 0.5);
    EXPECT_EQ(sheet->last_row(), 3);
  }
}

TEST(ReportSheet, FontOfLastRangeSetOverCell) {
  ReportSheet sheet;
  EXPECT_EQ(sheet.font_at(1, 1), std::nullopt);
  sheet.set_font("A1:Z50", plain);
  sheet.set_font("A1:C11", bold);
  EXPECT_EQ(sheet.font_at(1, 1), bold);
  EXPECT_EQ(sheet.font_at(11, 3), bold);
  EXPECT_EQ(sheet.font_at(12, 1), plain);
  EXPECT_EQ(sheet.font_at(1, 4), plain);
  EXPECT_EQ(sheet.font_at(50, 26), plain);
  EXPECT_EQ(sheet.font_at(51, 1), std::nullopt);
  EXPECT_EQ(sheet.font_at(1, 27), std::nullopt);
  sheet.set_font("B2", plain);
  EXPECT_EQ(sheet.font_at(2, 2), plain);
  EXPECT_EQ(sheet.font_at(2, 1), bold);
  sheet.set_font("not a range", bold);
  EXPECT_EQ(sheet.font_at(2, 2), plain);
  // Which range gives the font: the one set last, counted from 0.
  EXPECT_EQ(sheet.font_range_at(2, 2), 2);
  EXPECT_EQ(sheet.font_range_at(2, 1), 1);
  EXPECT_EQ(sheet.font_range_at(50, 26), 0);
  EXPECT_EQ(sheet.font_range_at(51, 1), -1);
}

TEST(ReportSheet, MergesAndLeftAlignedColumns) {
  ReportSheet sheet;
  sheet.merge("D2:E2");
  sheet.align_left("a:z");
  ASSERT_EQ(sheet.merges().size(), 1u);
  EXPECT_EQ(sheet.merges()[0], (CellRange{2, 4, 2, 5}));
  EXPECT_TRUE(sheet.left_aligned(1));
  EXPECT_TRUE(sheet.left_aligned(26));
  EXPECT_FALSE(sheet.left_aligned(27));
}

TEST(CellRangeParse, CellsAndRanges) {
  EXPECT_EQ(cell_range_parse("A1:C11"), (CellRange{1, 1, 11, 3}));
  EXPECT_EQ(cell_range_parse("D2"), (CellRange{2, 4, 2, 4}));
  EXPECT_EQ(cell_range_parse("a14:j14"), (CellRange{14, 1, 14, 10}));
  EXPECT_EQ(cell_range_parse("AA10"), (CellRange{10, 27, 10, 27}));
}

TEST(CellRangeParse, WholeColumns) {
  std::optional<CellRange> r = cell_range_parse("a:z");
  ASSERT_TRUE(r.has_value());
  EXPECT_EQ(r->first_col, 1);
  EXPECT_EQ(r->last_col, 26);
  EXPECT_EQ(r->first_row, 1);
  EXPECT_TRUE(r->contains(1, 1));
  EXPECT_TRUE(r->contains(ReportSheet::max_row, 26));
  EXPECT_FALSE(r->contains(1, 27));
}

TEST(CellRangeParse, BadInput) {
  for (const char* bad :
       {"", ":", "1A", "A0", "A1:", ":B2", "A1:B", "A:B2", "A1B2", "A-1", "A 1", "A1:C11:D4", "12"})
    EXPECT_EQ(cell_range_parse(bad), std::nullopt) << '"' << bad << '"';
}

TEST(CellNames, ColumnLetters) {
  EXPECT_EQ(column_letters(1), "A");
  EXPECT_EQ(column_letters(26), "Z");
  EXPECT_EQ(column_letters(27), "AA");
  EXPECT_EQ(column_letters(52), "AZ");
  EXPECT_EQ(column_letters(53), "BA");
  EXPECT_EQ(cell_name(2, 4), "D2");
  EXPECT_EQ(cell_name(14, 10), "J14");
}

}  // namespace
}  // namespace ordelix
