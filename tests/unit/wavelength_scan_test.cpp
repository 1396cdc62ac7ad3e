#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion.h"
#include "report_tables.h"
#include "test_support.h"

namespace ordelix::test {
namespace {

using namespace columns;

// Lines 1 to 13 (path code 4), then the values.
Lines wsc_file(const std::string& mode, const std::string& start, const std::string& end,
               const std::string& interval, const std::string& n, const Lines& values) {
  return Lines{"7", "0", "1", "SPECTRUM", "4", mode, "0", "0", start, end, interval, "0", n} +
         values;
}

class WavelengthScanReport : public ConversionTest {
 protected:
  Conversion convert(const Lines& lines) { return convert_lines(lines, "run.WSC"); }
  ReportSheet sheet(const Lines& lines) { return convert(lines).sheet; }
};

TEST_F(WavelengthScanReport, HeaderBlock) {
  ReportSheet s = sheet(wsc_file("1", "400", "402", "3", "3", {"0.51", "0.52", "0.53"}));
  // The labels are 27 wide but for "End-WL(nm)" and "Interval(nm)" (26) and
  // "Data Number" (28); rows 11 to 13 stay empty.
  const std::vector<HeaderRow> rows{
      {1, "Method", 27, with_blanks("WL SCAN", 36)},
      {2, "Time & Date", 27, any_date},
      {3, separator(61), 62, nothing},
      {4, "Sample Group Name", 27, "SPECTRUM"},
      {5, "Pathlength(mm)", 27, 1.0},  // code 4
      {6, "Data Mode", 27, "OD"},      // code 1
      {7, "Start-WL(nm)", 27, 400.0},
      {8, "End-WL(nm)", 26, 402.0},
      {9, "Interval(nm)", 26, 1.0},  // code 3
      {10, "Data Number", 28, 3.0},
      {14, "Data List", 72, nothing},
  };
  expect_header_rows(s, rows);
  for (int row = 11; row <= 13; ++row) EXPECT_TRUE(s.row_entries(row).empty()) << row;
}

TEST_F(WavelengthScanReport, WavelengthsInCValuesInFFromRow16) {
  ReportSheet s = sheet(wsc_file("1", "400", "402", "3", "3", {"0.51", "0.52", "0.53", "9"}));
  EXPECT_EQ(text_at(s, 6, D), "OD");
  EXPECT_EQ(number_at(s, 9, D), 1.0);
  EXPECT_EQ(text_at(s, 15, A), padded("WL(nm)", 31));
  EXPECT_EQ(text_at(s, 15, D), padded("OD", 27));
  const double values[] = {0.51, 0.52, 0.53};
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(number_at(s, 16 + k, C), 400.0 + k);
    EXPECT_EQ(number_at(s, 16 + k, F), values[k]);
  }
  EXPECT_TRUE(is_empty(s, 19, C));
  EXPECT_TRUE(is_empty(s, 19, F));
}

TEST_F(WavelengthScanReport, AutoStepsByTheSpanWithTheEndInSinglePrecision) {
  const struct {
    const char* start;
    const char* end;
    double step;
  } cases[] = {{"200", "800", 1}, {"200", "700", 0.5}, {"9.5E-5", "500.0001", 0.5}};
  for (const auto& c : cases) {
    ReportSheet s = sheet(wsc_file("1", c.start, c.end, "0", "2", {}));
    EXPECT_EQ(text_at(s, 9, D), "Auto");
    EXPECT_EQ(number_at(s, 17, C), *number_at(s, 16, C) + c.step) << c.start << " " << c.end;
  }
  // 0.2 carries its rounding error on: 500 + 0.2 + ... ten times is not 502.
  EXPECT_EQ(number_at(sheet(wsc_file("0", "500", "502", "1", "11", {})), 26, C), 501.9999999999999);
}

TEST_F(WavelengthScanReport, ChartRangesSpanTheDataTable) {
  ReportSheet s = sheet(wsc_file("2", "300", "301", "2", "3", {"0.1", "0.2", "0.3", "x", "y"}));
  ASSERT_EQ(s.charts().size(), 1u);
  const LineChart& chart = s.charts()[0];
  EXPECT_EQ(chart.values, (CellRange{16, F, 18, F})) << "lines after the data are not charted";
  EXPECT_EQ(chart.categories, (CellRange{16, C, 18, C}));
  EXPECT_EQ(chart.title, "WL Scan");
  EXPECT_EQ(chart.series_name, padded("E(S)", 29));
  EXPECT_EQ(chart.value_axis_title, padded("E(S)", 29));
  EXPECT_EQ(chart.category_axis_title, padded("WL(nm)", 31));
  EXPECT_EQ(chart.tick_mark_spacing, 10);
  EXPECT_EQ((std::vector{chart.left, chart.top, chart.width, chart.height}),
            (std::vector{350.0, 0.0, 350.0, 250.0}));
  EXPECT_TRUE(is_empty(s, 19, F));
}

TEST_F(WavelengthScanReport, ChartRangesEndAtTheLastWavelengthOrValue) {
  const struct {
    const char* n;
    Lines values;
    int last_row;
  } cases[] = {
      {"3", {"0.1", "0.2", "0.3"}, 18},  // the file ends with its data: F18 is charted
      {"5", {"0.1", "0.2"}, 20},         // wavelengths run on to 15 + 5 without values
      {"3.4", {"0.1", "0.2", "0.3", "0.4", "0.5"}, 19},  // lines 14 to 17, C to 18
      {"0", {"0.1"}, 16},                                // no table: the first row only
  };
  for (const auto& c : cases) {
    ReportSheet s = sheet(wsc_file("1", "500", "510", "3", c.n, c.values));
    const LineChart& chart = s.charts().at(0);
    EXPECT_EQ(chart.values, (CellRange{16, F, c.last_row, F})) << "N = " << c.n;
    EXPECT_EQ(chart.categories, (CellRange{16, C, c.last_row, C})) << "N = " << c.n;
  }
}

TEST_F(WavelengthScanReport, CodesOutsideTheTables) {
  ReportSheet s = sheet(wsc_file("3", "450", "460", "6", "2", {"0.1", "0.2"}));
  EXPECT_TRUE(is_empty(s, 6, D));
  EXPECT_TRUE(is_empty(s, 9, D));
  EXPECT_TRUE(is_empty(s, 15, D));
  EXPECT_EQ(number_at(s, 17, C), 450.0);
  const LineChart& chart = s.charts().at(0);
  EXPECT_EQ(chart.series_name, std::nullopt);
  EXPECT_EQ(chart.value_axis_title, std::nullopt);
  EXPECT_EQ(chart.category_axis_title, padded("WL(nm)", 31));
}

TEST_F(WavelengthScanReport, ScanLongerThanTheSheetKeepsTableAndChartWithinIt) {
  Lines values(40000, "0.5");
  Conversion c = convert(wsc_file("1", "200", "900", "1", "40000", values));
  EXPECT_EQ(c.sheet.last_row(), ReportSheet::max_row);
  EXPECT_EQ(number_at(c.sheet, ReportSheet::max_row, F), 0.5);
  EXPECT_EQ(c.sheet.charts().at(0).values.last_row, ReportSheet::max_row);
  EXPECT_EQ(c.sheet.dropped_writes(), 2 * (40000 + 15 - ReportSheet::max_row));
  ASSERT_EQ(c.warnings.size(), 1u);
  EXPECT_EQ(c.warnings[0].kind, ProblemKind::rows_beyond_limit);
  EXPECT_EQ(c.warnings[0].line, ReportSheet::max_row + 1 - 2);  // line n stands in row n + 2
}

}  // namespace
}  // namespace ordelix::test
