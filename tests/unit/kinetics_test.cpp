#include <string>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion.h"
#include "report_tables.h"
#include "test_support.h"

namespace ordelix::test {
namespace {

using namespace columns;

// Lines 1 to 13 (path code 4, scan time 30, 340 nm), then the values.
Lines tsc_file(const std::string& mode, const std::string& interval, const std::string& n,
               const Lines& values) {
  return Lines{"4", "0", "1", "ENZYME", "4", mode, "0", "0", "30", "340", interval, "0", n} +
         values;
}

class KineticsReport : public ConversionTest {
 protected:
  Conversion convert(const Lines& lines) { return convert_lines(lines, "run.TSC"); }
};

TEST_F(KineticsReport, HeaderBlock) {
  ReportSheet s = convert(tsc_file("1", "3", "4", {"0.1", "0.2", "0.3", "0.4"})).sheet;
  const std::vector<HeaderRow> rows{
      {1, "Method", 27, with_blanks("KINETICS", 36)},
      {2, "Time & Date", 26, any_date},
      {3, separator(61), 62, nothing},
      {4, "Sample Group Name", 27, "ENZYME"},
      {5, "Data Mode", 27, "OD"},      // code 1
      {6, "Pathlength(mm)", 27, 1.0},  // code 4
      {7, "WL(nm)", 27, 340.0},        // line 10
      {8, "Scan Time(s)", 27, 30.0},   // line 9
      {9, "Interval(s)", 27, 10.0},    // code 3
      {10, "Data Number", 27, 4.0},
      {11, "", 70, nothing},
  };
  expect_header_rows(s, rows);
  expect_row(s, 12, {{A, padded("Data(s)", 27)}, {D, padded("Value", 34)}});
  expect_row(s, 13, {{A, separator(69)}});
}

TEST_F(KineticsReport, TimesByTheIntervalBesideTheFirstNLines) {
  ReportSheet s = convert(tsc_file("1", "3", "4", {"0.1", "0.2", "0.3", "0.4", "0.5"})).sheet;
  EXPECT_EQ(number_at(s, 9, D), 10.0);
  const double values[] = {0.1, 0.2, 0.3, 0.4};
  for (int k = 0; k < 4; ++k) {
    EXPECT_EQ(number_at(s, 14 + k, A), 10.0 * k);
    EXPECT_EQ(number_at(s, 14 + k, D), values[k]);
  }
  EXPECT_TRUE(is_empty(s, 18, A));
  EXPECT_TRUE(is_empty(s, 18, D));

  for (const auto& [code, shown] : {std::pair{"0", "Auto"}, std::pair{"abc", "Auto"}}) {
    s = convert(tsc_file("1", code, "4", {})).sheet;
    EXPECT_EQ(text_at(s, 9, D), shown);
    EXPECT_EQ(number_at(s, 17, A), 7.5);
  }
  s = convert(tsc_file("1", "1", "4", {})).sheet;
  EXPECT_EQ(number_at(s, 9, D), 2.5);
  EXPECT_EQ(number_at(s, 17, A), 7.5);
}

TEST_F(KineticsReport, CodesOutsideTheTables) {
  ReportSheet s = convert(tsc_file("3", "6", "3", {"1", "2", "3"})).sheet;
  EXPECT_TRUE(is_empty(s, 5, D));
  EXPECT_TRUE(is_empty(s, 9, D));
  EXPECT_EQ(number_at(s, 16, A), 0.0);

  // Only the first character of line 6 counts.
  EXPECT_EQ(text_at(convert(tsc_file("12", "0", "0", {})).sheet, 5, D), "OD");
  Lines lines = tsc_file("2", "0", "0", {});
  lines[4] = "6.5";
  s = convert(lines).sheet;
  EXPECT_EQ(text_at(s, 5, D), "E(S)");
  EXPECT_TRUE(is_empty(s, 6, D));
}

TEST_F(KineticsReport, DataNumberHalvesRoundToEven) {
  // 2.5 ends the times at row 16 and the values before line 16.5.
  ReportSheet s = convert(tsc_file("1", "2", "2.5", {"7", "8", "9", "10"})).sheet;
  EXPECT_EQ(number_at(s, 16, A), 10.0);
  EXPECT_TRUE(is_empty(s, 17, A));
  EXPECT_EQ(number_at(s, 16, D), 9.0);
  EXPECT_TRUE(is_empty(s, 17, D));
  // 3.5 also ends the times at row 16, but line 17 lies below 17.5.
  s = convert(tsc_file("1", "2", "3.5", {"7", "8", "9", "10"})).sheet;
  EXPECT_TRUE(is_empty(s, 17, A));
  EXPECT_EQ(number_at(s, 17, D), 10.0);
}

TEST_F(KineticsReport, ShortFileRepeatsItsLastLine) {
  ReportSheet s = convert({"4", "0", "1", "ENZYME", "4", "1", "0", "0", "30", "2"}).sheet;
  EXPECT_EQ(number_at(s, 9, D), 5.0);   // line 11 reads "2"
  EXPECT_EQ(number_at(s, 10, D), 2.0);  // line 13 too
  EXPECT_EQ(number_at(s, 15, A), 5.0);
  EXPECT_TRUE(is_empty(s, 14, D));
}

TEST_F(KineticsReport, CountBeyondTheSheetStopsAtItsLastRowWithAWarning) {
  for (const char* n : {"99999999", "9E300"}) {
    Conversion c = convert(tsc_file("1", "5", n, {"0.5"}));
    EXPECT_EQ(c.sheet.last_row(), ReportSheet::max_row) << n;
    EXPECT_EQ(number_at(c.sheet, ReportSheet::max_row, A), 100.0 * (ReportSheet::max_row - 14));
    // The times left out, and the values the count promises, both at the count.
    ASSERT_EQ(c.warnings.size(), 2u) << n;
    EXPECT_EQ(c.warnings[0].kind, ProblemKind::count_beyond_file);
    EXPECT_EQ(c.warnings[1].kind, ProblemKind::rows_beyond_limit);
    EXPECT_EQ(c.warnings[1].line, 13);
  }
  EXPECT_EQ(convert(tsc_file("1", "5", "99999999", {})).sheet.dropped_writes(),
            99999999 + 13 - ReportSheet::max_row);
}

}  // namespace
}  // namespace ordelix::test
