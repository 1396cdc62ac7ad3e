#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion.h"
#include "report_tables.h"
#include "test_support.h"

namespace ordelix::test {
namespace {

using namespace columns;

// Lines 1 to 14, then `rest`; the unit and multiple lines count by their first character.
Lines od_file(const std::string& unit, const std::string& multiple, const std::string& factor,
              const std::string& m, const Lines& rest) {
  return Lines{"7", "0", "1",   "CULTURE", "4",  "0",      "1",
               "0", "0", "600", factor,    unit, multiple, m} +
         rest;
}

class Od600Report : public ConversionTest {
 protected:
  ReportSheet convert(const Lines& lines) { return convert_lines(lines, "run.OD").sheet; }
};

TEST_F(Od600Report, HeaderBlockForCellDensity) {
  ReportSheet s = convert(od_file("1", "0", "2", "1", {"1", "0.5"}));
  // Every label is 20 wide.
  const std::vector<HeaderRow> rows{
      {1, "Method", 20, with_blanks("OD600", 35)},
      {2, "Time & Date", 20, any_date},
      {3, separator(78), 79, nothing},
      {4, "Sample Group Name", 20, "CULTURE"},
      {5, "WL(nm)", 20, 600.0},
      {6, "Pathlength(mm)", 20, 1.0},  // code 4
      {7, "Unit", 20, "cells/ml"},
      {10, "Factor", 20, 2.0},
      {11, "Multiple", 20, 1000.0},  // multiple "0"
      {12, "", 70, nothing},
  };
  expect_header_rows(s, rows);
  for (int row : {8, 9}) EXPECT_TRUE(s.row_entries(row).empty()) << row;
  expect_row(s, 13,
             {{A, padded("Data No.", 20)},
              {D, padded("Sample No.", 20)},
              {G, padded("OD Value", 20)},
              {J, padded("cells/ml", 20)}});
  expect_row(s, 14, {{A, separator(100)}});
}

TEST_F(Od600Report, UnitOdHasNoFactorMultipleOrCellDensity) {
  ReportSheet s = convert(od_file("0", "0", "2", "1", {"1", "0.5"}));
  EXPECT_EQ(text_at(s, 7, D), "OD");
  for (int row = 8; row <= 11; ++row) EXPECT_TRUE(s.row_entries(row).empty()) << row;
  expect_row(
      s, 13,
      {{A, padded("Data No.", 20)}, {D, padded("Sample No.", 20)}, {G, padded("OD Value", 20)}});
  EXPECT_TRUE(is_empty(s, 15, J));
}

TEST_F(Od600Report, OnlyTheFirstCharacterOfUnitAndMultipleCounts) {
  ReportSheet s = convert(od_file("10", "1x", "4", "1", {"1", "0.25", "2", "none"}));
  EXPECT_EQ(text_at(s, 7, D), "cells/ml");
  EXPECT_EQ(number_at(s, 11, D), 1000000.0);
  EXPECT_EQ(number_at(s, 15, J), 1000000.0);
  EXPECT_EQ(number_at(s, 16, J), 0.0);

  s = convert(od_file("2", "0", "2", "1", {"1", "0.5"}));
  EXPECT_EQ(text_at(s, 7, D), "cells/ml");
  EXPECT_TRUE(is_empty(s, 10, A));
  EXPECT_TRUE(is_empty(s, 13, J));
  EXPECT_TRUE(is_empty(s, 15, J));
}

TEST_F(Od600Report, DensityTooLargeForADoubleLeavesItsCellEmpty) {
  ReportSheet s = convert(od_file("1", "1", "1e300", "2", {"1", "9e307", "2", "0.5"}));
  EXPECT_TRUE(is_empty(s, 15, J));
  EXPECT_EQ(number_at(s, 16, J), 0.5 * 1000000 * 1e300);
}

TEST_F(Od600Report, NoSampleCountStillPairsTheLines) {
  ReportSheet s = convert(od_file("0", "0", "1", "0", {"1", "0.3", "2"}));
  EXPECT_TRUE(is_empty(s, 15, A));
  EXPECT_EQ(number_at(s, 15, G), 0.3);
  EXPECT_EQ(number_at(s, 16, D), 2.0);
  EXPECT_TRUE(is_empty(s, 16, G));
}

}  // namespace
}  // namespace ordelix::test
