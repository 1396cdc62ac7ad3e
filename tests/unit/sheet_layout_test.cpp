#include <map>

#include <gtest/gtest.h>

#include "sheet/chart_labels.h"
#include "sheet/column_widths.h"
#include "sheet/report_sheet.h"

namespace ordelix {
namespace {

const DateTime widest_date{2026, 12, 28, 23, 59, 59};

TEST(ColumnWidths, ADateCellIsWidenedToTwentyTwoCharactersAcrossItsMerge) {
  ReportSheet merged;
  merged.merge("D2:E2");
  merged.set_date_time(2, 4, widest_date);
  EXPECT_EQ(column_widths(merged), (std::map<int, double>{{4, 22 - 8.43}}));

  ReportSheet single;
  single.set_date_time(5, 2, widest_date);
  EXPECT_EQ(column_widths(single), (std::map<int, double>{{2, 22.0}}));

  ReportSheet wide_merge;  // three default columns hold it already
  wide_merge.merge("D2:F2");
  wide_merge.set_date_time(2, 4, widest_date);
  EXPECT_TRUE(column_widths(wide_merge).empty());

  ReportSheet no_date;
  no_date.merge("D2:E2");
  no_date.set_number(2, 4, 46000);
  EXPECT_TRUE(column_widths(no_date).empty());
}

TEST(ColumnWidths, PixelsAsSpreadsheetsLayColumnsOut) {
  EXPECT_EQ(column_pixels(default_column_width), 64);  // 59.01 rounds to 59, plus 5
  EXPECT_EQ(column_pixels(22 - 8.43), 100);            // 94.99 rounds to 95, plus 5
}

TEST(ChartLabels, DecimalsAreThoseTheCategoriesWereMeantToHave) {
  ReportSheet s;
  s.set_number(1, 1, 400);
  s.set_number(2, 1, 401);
  EXPECT_EQ(category_decimals(s, CellRange{1, 1, 2, 1}), 0);
  s.set_number(3, 1, 401.5);
  s.set_text(4, 1, "n/a");
  EXPECT_EQ(category_decimals(s, CellRange{1, 1, 4, 1}), 1);

  double wavelength = 190;
  for (int row = 1; row <= 11; ++row, wavelength += 0.2) s.set_number(row, 2, wavelength);
  EXPECT_NE(wavelength - 0.2, 192.0) << "the sum carries rounding errors";
  EXPECT_EQ(category_decimals(s, CellRange{1, 2, 11, 2}), 1);

  s.set_number(12, 2, 0.125);
  EXPECT_EQ(category_decimals(s, CellRange{1, 2, 12, 2}), 3);
  s.set_number(13, 2, 1.0 / 3);
  EXPECT_EQ(category_decimals(s, CellRange{1, 2, 13, 2}), max_decimals);

  EXPECT_EQ(decimals_number_format(0), "0");
  EXPECT_EQ(decimals_number_format(1), "0.0");
  EXPECT_EQ(decimals_number_format(3), "0.000");
}

TEST(ChartLabels, IntervalIsTheLeastTickMultipleOfOneTwoFiveForEightLabels) {
  EXPECT_EQ(category_label_interval(1, 10), 10);
  EXPECT_EQ(category_label_interval(41, 10), 10);  // 5 labels
  EXPECT_EQ(category_label_interval(80, 10), 10);  // 8 labels
  EXPECT_EQ(category_label_interval(81, 10), 20);  // 9 would be too many
  EXPECT_EQ(category_label_interval(601, 10), 100);
  EXPECT_EQ(category_label_interval(32000, 10), 5000);
  EXPECT_EQ(category_label_interval(32752, 10), 5000);
  EXPECT_EQ(category_label_interval(30, 1), 5);
  EXPECT_EQ(category_label_interval(30, 0), 5) << "no spacing counts as one";
}

}  // namespace
}  // namespace ordelix
