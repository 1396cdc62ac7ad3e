#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion.h"
#include "report_tables.h"
#include "test_support.h"

namespace ordelix::test {
namespace {

using namespace columns;

// Lines 1 to 17 (path code 4), then the values.
Lines tm_file(const std::string& mode, const std::string& start, const std::string& interval,
              const std::string& n, const Lines& values) {
  return Lines{"6",  "0", "1", "DUPLEX", "4", mode,   "1.5", "0.1", start,
               "95", "0", "0", interval, "0", "1.25", "0",   n} +
         values;
}

class MeltingTemperatureReport : public ConversionTest {
 protected:
  ReportSheet convert(const Lines& lines) { return convert_lines(lines, "run.TM").sheet; }
};

TEST_F(MeltingTemperatureReport, HeaderBlock) {
  ReportSheet s = convert(tm_file("1", "25", "5", "3", {"0.41", "0.42", "0.43"}));
  // Unlike the other labels (27), "Time & Date" is 17 wide and "Data Number" 28.
  const std::vector<HeaderRow> rows{
      {1, "Method", 27, with_blanks("TEMPERATURE", 36)},
      {2, "Time & Date", 17, any_date},
      {3, separator(61), 62, nothing},
      {4, "Sample Group Name", 27, "DUPLEX"},
      {5, "Pathlength(mm)", 27, 1.0},  // code 4
      {6, "Data Mode", 27, "OD"},      // code 1
      {7, "Y-Max", 27, 1.5},
      {8, "Y-Min", 27, 0.1},
      {9, "Start-Temperature", 27, 25.0},
      {10, "End-Temperature", 27, 95.0},
      {11, "Interval", 27, 5.0},     // line 13
      {12, "K-Factor", 27, 1.25},    // line 15
      {13, "Data Number", 28, 3.0},  // line 17
      {14, "Data List", 72, nothing},
  };
  expect_header_rows(s, rows);
}

TEST_F(MeltingTemperatureReport, TemperaturesInCValuesInFHeadingsInAAndD) {
  ReportSheet s = convert(tm_file("0", "25", "5", "3", {"0.41", "0.42", "0.43", "0.44"}));
  EXPECT_EQ(text_at(s, 6, D), "%T");
  EXPECT_EQ(text_at(s, 15, A), padded("C", 26));
  EXPECT_EQ(text_at(s, 15, D), padded("OD", 27));
  const double values[] = {0.41, 0.42, 0.43};
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(number_at(s, 16 + k, C), 25.0 + 5 * k);
    EXPECT_EQ(number_at(s, 16 + k, F), values[k]);
    EXPECT_TRUE(is_empty(s, 16 + k, A));
    EXPECT_TRUE(is_empty(s, 16 + k, D));
  }
  EXPECT_TRUE(is_empty(s, 19, C));
  EXPECT_TRUE(is_empty(s, 19, F));
}

TEST_F(MeltingTemperatureReport, StepsAddUpWithTheirRoundingErrorAndMayFall) {
  ReportSheet s = convert(tm_file("1", "60", "0.1", "10", {}));
  EXPECT_EQ(number_at(s, 25, C), 60.90000000000001);  // not 60.9
  EXPECT_TRUE(is_empty(s, 25, F));

  s = convert(tm_file("1", "90", "-5", "3", {}));
  EXPECT_EQ(number_at(s, 18, C), 80.0);
  // No interval repeats the start; no data number writes no row.
  EXPECT_EQ(number_at(convert(tm_file("1", "90", "x", "3", {})), 18, C), 90.0);
  s = convert(tm_file("1", "90", "1", "none", {"0.5"}));
  EXPECT_TRUE(is_empty(s, 16, C));
  EXPECT_TRUE(is_empty(s, 16, F));
}

TEST_F(MeltingTemperatureReport, DataModeOutsideTheTableLeavesD6Empty) {
  ReportSheet s = convert(tm_file("7", "25", "1", "1", {"0.5"}));
  EXPECT_TRUE(is_empty(s, 6, D));
  EXPECT_EQ(text_at(s, 15, D), padded("OD", 27));
}

}  // namespace
}  // namespace ordelix::test
