#include <ctime>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion.h"
#include "test_support.h"

namespace ordelix {
namespace {

using test::bold;
using test::Lines;
using test::plain;
using test::operator+;

using test::is_empty;
using test::number_at;
using test::numbered;
using test::padded;
using test::separator;
using test::text_at;
using test::with_blanks;

using namespace test::columns;

struct Header {
  std::string method = "1";
  std::string group = "Samples-April";
  std::string path_code = "4";
  std::string dilution = "1.5";
  std::string unit = "3";
  std::string standards = "2";
  std::string calibration = "0";
};

// Lines 1 to 11 of a colorimetric file.
Lines header_lines(const Header& h) {
  return {"2",    "0",         h.method,      h.group, h.path_code, h.dilution,
          h.unit, h.standards, h.calibration, "1",     "595"};
}

// 2 standards and 3 samples: 15 + 2n + 4m = 31 lines.
Lines std_curve_file(const Header& h = {}) {
  Lines standards{"0.500", "0.12", "1.000", "0.24"};
  Lines fit_and_m{"0.50", "1.5", "0.99", "3"};
  Lines samples{"1", "0.412", "0.411", "10.52",       //
                "2", "0.824", "0.823", "20.9876543",  //
                "3", "1.236", "1.235", "n/a"};
  return header_lines(h) + standards + fit_and_m + samples;
}

// K-factor layout with 2 samples: 14 + 4m = 22 lines.
Lines k_factor_file(Header h = {}) {
  h.calibration = "1";
  Lines fit_and_m{"-0.2", "1.5", "2"};
  Lines samples{"1", "0.300", "0.301", "0.25",  //
                "2", "0.600", "0.601", "0.70"};
  return header_lines(h) + fit_and_m + samples;
}

class ProteinReport : public ::testing::Test {
 protected:
  Conversion convert(const Lines& lines, const std::string& name = "run.PRO") {
    return test::converted(convert_export_file(test::write_export(dir_, name, lines)));
  }

  test::TempDir dir_;
};

TEST_F(ProteinReport, StandardCurveHeaderBlock) {
  ReportSheet s = convert(std_curve_file()).sheet;
  EXPECT_EQ(text_at(s, 1, A), padded("Method", 22));
  EXPECT_EQ(text_at(s, 1, D), "BRADFORD    ");
  EXPECT_EQ(text_at(s, 2, A), padded("Time & Date", 22));
  EXPECT_EQ(text_at(s, 3, A), separator(71));
  EXPECT_EQ(text_at(s, 4, A), padded("Sample Group Name", 22));
  EXPECT_EQ(text_at(s, 4, D), "Samples-");
  EXPECT_EQ(text_at(s, 5, A), padded("Pathlength(mm)", 22));
  EXPECT_EQ(number_at(s, 5, D), 1.0);
  EXPECT_EQ(text_at(s, 6, A), padded("Dilution Factor", 22));
  EXPECT_EQ(number_at(s, 6, D), 1.5);
  EXPECT_EQ(text_at(s, 7, A), padded("Unit", 22));
  EXPECT_EQ(text_at(s, 7, D), "mg/ml");
  EXPECT_EQ(text_at(s, 8, A), padded("Calibration Mode", 22));
  EXPECT_EQ(text_at(s, 8, D), "STD");
  EXPECT_EQ(text_at(s, 9, A), padded("WL1(nm)", 22));
  EXPECT_EQ(number_at(s, 9, D), 595.0);
  EXPECT_EQ(text_at(s, 10, A), padded("WL Number", 22));
  EXPECT_EQ(number_at(s, 10, D), 1.0);
  EXPECT_EQ(text_at(s, 11, A), std::string(70, ' '));
}

TEST_F(ProteinReport, StandardCurveTwoStandardsThreeSamples) {
  ReportSheet s = convert(std_curve_file()).sheet;
  EXPECT_EQ(text_at(s, 12, A), padded("STD No.", 23));
  EXPECT_EQ(text_at(s, 12, C), padded("Concentration", 22));
  EXPECT_EQ(text_at(s, 12, E), "OD Value ");
  EXPECT_EQ(text_at(s, 13, A), separator(80));

  EXPECT_EQ(number_at(s, 14, A), 1.0);
  EXPECT_EQ(number_at(s, 14, C), 0.5);
  EXPECT_EQ(number_at(s, 14, E), 0.12);
  EXPECT_EQ(number_at(s, 15, A), 2.0);
  EXPECT_EQ(number_at(s, 15, C), 1.0);
  EXPECT_EQ(number_at(s, 15, E), 0.24);

  EXPECT_EQ(text_at(s, 16, A), with_blanks("CONC = 1.5 * OD + 0.5", 7));
  EXPECT_EQ(text_at(s, 16, E), with_blanks("R = 0.990", 22));
  EXPECT_TRUE(is_empty(s, 16, C));
  EXPECT_EQ(text_at(s, 17, A), std::string(62, ' '));

  EXPECT_EQ(text_at(s, 18, A), "Data No.     ");
  EXPECT_EQ(text_at(s, 18, C), "Sample No.   ");
  EXPECT_EQ(text_at(s, 18, E), "WL1 OD Value ");
  EXPECT_EQ(text_at(s, 18, G), "OD Value     ");
  EXPECT_EQ(text_at(s, 18, I), "Concentration");
  EXPECT_EQ(text_at(s, 19, A), separator(87));

  for (int m = 1; m <= 3; ++m) {
    EXPECT_EQ(number_at(s, 19 + m, A), m);
    EXPECT_EQ(number_at(s, 19 + m, C), m);
  }
  EXPECT_EQ(number_at(s, 20, E), 0.412);
  EXPECT_EQ(number_at(s, 20, G), 0.411);
  EXPECT_EQ(number_at(s, 20, I), 10.52);
  EXPECT_EQ(number_at(s, 21, I), 20.98765);
  EXPECT_EQ(number_at(s, 22, G), 1.235);
  EXPECT_EQ(text_at(s, 22, I), "n/a");
  EXPECT_EQ(s.last_row(), 22);
}

TEST_F(ProteinReport, StandardCurveBoldRanges) {
  ReportSheet s = convert(std_curve_file()).sheet;
  EXPECT_EQ(s.font_at(1, A), bold);
  EXPECT_EQ(s.font_at(11, C), bold);
  EXPECT_EQ(s.font_at(1, D), plain);
  EXPECT_EQ(s.font_at(12, A), plain);
  EXPECT_EQ(s.font_at(18, A), plain);
  EXPECT_EQ(s.font_at(18, I), plain);
  EXPECT_EQ(s.font_at(50, 26), plain);
}

TEST_F(ProteinReport, SheetSetUp) {
  ReportSheet s = convert(std_curve_file()).sheet;
  EXPECT_TRUE(s.left_aligned(1));
  EXPECT_TRUE(s.left_aligned(26));
  EXPECT_FALSE(s.left_aligned(27));
  ASSERT_EQ(s.merges().size(), 1u);
  EXPECT_EQ(s.merges()[0], (CellRange{2, 4, 2, 5}));
}

TEST_F(ProteinReport, KFactorTwoSamples) {
  Header h;
  h.method = "3";
  h.path_code = "7";
  h.unit = "14";
  ReportSheet s = convert(k_factor_file(h)).sheet;
  EXPECT_EQ(text_at(s, 1, D), "BCA         ");
  EXPECT_EQ(number_at(s, 5, D), 10.0);
  EXPECT_EQ(text_at(s, 7, D), "%");
  EXPECT_EQ(text_at(s, 8, D), "K FACTOR");
  EXPECT_TRUE(is_empty(s, 11, A));
  EXPECT_EQ(text_at(s, 12, A), with_blanks("CONC = 1.5 * OD + -0.2", 7));
  EXPECT_EQ(s.row_entries(12).size(), 1u);
  EXPECT_TRUE(is_empty(s, 13, A));

  EXPECT_EQ(text_at(s, 14, A), "Data No.     ");
  EXPECT_EQ(text_at(s, 14, I), "Concentration");
  EXPECT_EQ(text_at(s, 15, A), separator(87));
  EXPECT_EQ(number_at(s, 16, A), 1.0);
  EXPECT_EQ(number_at(s, 16, C), 1.0);
  EXPECT_EQ(number_at(s, 16, E), 0.3);
  EXPECT_EQ(number_at(s, 16, G), 0.301);
  EXPECT_EQ(number_at(s, 16, I), 0.25);
  EXPECT_EQ(number_at(s, 17, A), 2.0);
  EXPECT_EQ(number_at(s, 17, I), 0.7);
  EXPECT_EQ(s.last_row(), 17);
}

TEST_F(ProteinReport, KFactorBoldRanges) {
  ReportSheet s = convert(k_factor_file()).sheet;
  EXPECT_EQ(s.font_at(1, A), bold);
  EXPECT_EQ(s.font_at(11, C), bold);
  EXPECT_EQ(s.font_at(12, A), plain);
  for (int col = A; col <= J; ++col) EXPECT_EQ(s.font_at(14, col), bold) << col;
  EXPECT_EQ(s.font_at(14, K), plain);
  EXPECT_EQ(s.font_at(15, A), plain);
}

TEST_F(ProteinReport, MethodTable) {
  const char* texts[] = {"BRADFORD    ", "LOWRY       ", "BCA         ", "BIURET      "};
  for (int code = 1; code <= 4; ++code) {
    Header h;
    h.method = std::to_string(code);
    EXPECT_EQ(text_at(convert(k_factor_file(h)).sheet, 1, D), texts[code - 1]) << code;
  }
}

TEST_F(ProteinReport, PathLengthCodes) {
  const std::pair<const char*, double> known[] = {{"0", 0.1},  {"3", 0.5}, {"6", 5},     {"7", 10},
                                                  {"7.5", 10}, {"99", 10}, {"10000", 10}};
  for (const auto& [code, mm] : known) {
    Header h;
    h.path_code = code;
    EXPECT_EQ(number_at(convert(k_factor_file(h)).sheet, 5, D), mm) << code;
  }
  for (const char* code : {"2.5", "-1", "10001"}) {
    Header h;
    h.path_code = code;
    ReportSheet s = convert(k_factor_file(h)).sheet;
    EXPECT_TRUE(is_empty(s, 5, D)) << code;
    EXPECT_EQ(text_at(s, 5, A), padded("Pathlength(mm)", 22)) << code;
  }
}

TEST_F(ProteinReport, UnitCodes) {
  const std::pair<const char*, const char*> known[] = {
      {"0", "ug/ml"}, {"15", "conc"}, {"3       mg", "mg/ml"}, {"none", "ug/ml"}};
  for (const auto& [code, unit] : known) {
    Header h;
    h.unit = code;
    EXPECT_EQ(text_at(convert(k_factor_file(h)).sheet, 7, D), unit) << code;
  }
  for (const char* code : {"16", "2.5"}) {
    Header h;
    h.unit = code;
    EXPECT_TRUE(is_empty(convert(k_factor_file(h)).sheet, 7, D)) << code;
  }
}

TEST_F(ProteinReport, OtherCalibrationCodeEndsAfterHeaderBlock) {
  Header h;
  h.calibration = "2";
  ReportSheet s = convert(std_curve_file(h)).sheet;
  EXPECT_EQ(text_at(s, 10, A), padded("WL Number", 22));
  EXPECT_EQ(text_at(s, 8, A), padded("Calibration Mode", 22));
  EXPECT_TRUE(is_empty(s, 8, D));
  EXPECT_EQ(s.last_row(), 10);
}

TEST_F(ProteinReport, FewerDataLinesThanSamples) {
  Lines lines = k_factor_file();
  lines[13] = "3";  // m on line 14, but data for two samples only
  ReportSheet s = convert(lines).sheet;
  EXPECT_EQ(number_at(s, 18, A), 3.0);
  EXPECT_TRUE(is_empty(s, 18, C));
  EXPECT_EQ(number_at(s, 17, I), 0.7);
}

TEST_F(ProteinReport, MoreDataLinesThanSamples) {
  Lines lines = k_factor_file();
  lines[13] = "1";
  ReportSheet s = convert(lines).sheet;
  EXPECT_EQ(number_at(s, 16, A), 1.0);
  EXPECT_TRUE(is_empty(s, 17, A));
  EXPECT_EQ(number_at(s, 17, C), 2.0);
  EXPECT_EQ(number_at(s, 17, I), 0.7);
}

TEST_F(ProteinReport, NoStandardsLeavesFitAndDataNumbersEmpty) {
  Header h;
  h.standards = "0";
  // 22 lines: a length whose header is read, with data lines from line 16 on.
  Lines lines = header_lines(h) +
                Lines{"0.5", "1.5", "0.99", "2", "d16", "d17", "d18", "d19", "d20", "d21", "d22"};
  ReportSheet s = convert(lines).sheet;
  EXPECT_EQ(text_at(s, 8, D), "STD");
  EXPECT_EQ(text_at(s, 12, A), padded("STD No.", 23));
  EXPECT_TRUE(is_empty(s, 14, A));
  EXPECT_TRUE(is_empty(s, 14, C));
  EXPECT_TRUE(is_empty(s, 14, E));
  EXPECT_EQ(text_at(s, 15, A), std::string(62, ' '));
  EXPECT_EQ(text_at(s, 16, A), "Data No.     ");
  EXPECT_EQ(text_at(s, 17, A), separator(87));
  EXPECT_TRUE(is_empty(s, 18, A));
  EXPECT_TRUE(is_empty(s, 19, A));
  EXPECT_EQ(text_at(s, 18, C), "d16");
  EXPECT_EQ(text_at(s, 18, I), "d19");
  EXPECT_EQ(text_at(s, 19, G), "d22");
}

TEST_F(ProteinReport, TwelveStandardsLeaveFitAndDataNumbersEmpty) {
  Header h;
  h.standards = "12";
  Lines lines = header_lines(h);
  for (int i = 1; i <= 12; ++i) lines = lines + Lines{numbered("c", i), numbered("o", i)};
  lines = lines + Lines{"0.1", "2", "0.95", "1"};  // where a fit would stand (lines 36 to 39)
  for (int line = 40; line <= 45; ++line) lines.push_back(numbered("d", line));
  ASSERT_EQ(lines.size(), 45u);
  ReportSheet s = convert(lines).sheet;
  for (int i = 1; i <= 12; ++i) {
    EXPECT_EQ(number_at(s, 13 + i, A), i);
    EXPECT_EQ(text_at(s, 13 + i, C), numbered("c", i));
    EXPECT_EQ(text_at(s, 13 + i, E), numbered("o", i));
  }
  EXPECT_TRUE(is_empty(s, 26, A));
  EXPECT_TRUE(is_empty(s, 26, E));
  EXPECT_EQ(text_at(s, 27, A), std::string(62, ' '));
  EXPECT_EQ(text_at(s, 28, A), "Data No.     ");
  EXPECT_EQ(text_at(s, 29, A), separator(87));
  EXPECT_TRUE(is_empty(s, 30, A));
  EXPECT_EQ(text_at(s, 30, C), "d40");
  EXPECT_EQ(text_at(s, 30, I), "d43");
  EXPECT_EQ(text_at(s, 31, E), "d45");
}

TEST_F(ProteinReport, LineCountThatCccccDoesNotRead) {
  Header h;
  h.method = "4";
  h.standards = "1";
  h.calibration = "1";
  Lines lines = header_lines(h) + Lines{"i12", "s13", "m14", "n15", "d16", "d17", "d18", "d19"};
  lines[1] = "5";
  ASSERT_EQ(lines.size(), 19u);
  ReportSheet s = convert(lines).sheet;
  // The pre-scan left lines 1 to 3 in the fields of lines 4 to 6; the other
  // header fields are empty and read as 0.
  EXPECT_EQ(text_at(s, 1, D), "BIURET      ");
  EXPECT_EQ(number_at(s, 4, D), 2.0);
  EXPECT_EQ(number_at(s, 5, D), 2.0);
  EXPECT_EQ(number_at(s, 6, D), 4.0);
  EXPECT_EQ(text_at(s, 7, D), "ug/ml");
  EXPECT_EQ(text_at(s, 8, D), "STD");
  EXPECT_TRUE(is_empty(s, 9, D));
  EXPECT_TRUE(is_empty(s, 10, D));
  EXPECT_TRUE(is_empty(s, 14, A));
  EXPECT_TRUE(is_empty(s, 14, E));
  EXPECT_TRUE(is_empty(s, 18, A));
  EXPECT_EQ(text_at(s, 18, C), "d16");
  EXPECT_EQ(text_at(s, 18, I), "d19");
}

// A local civil time as seconds, for comparing against clock readings.
std::time_t seconds_of(const DateTime& t) {
  std::tm tm{};
  tm.tm_year = t.year - 1900;
  tm.tm_mon = t.month - 1;
  tm.tm_mday = t.day;
  tm.tm_hour = t.hour;
  tm.tm_min = t.minute;
  tm.tm_sec = t.second;
  tm.tm_isdst = -1;
  return std::mktime(&tm);
}

TEST_F(ProteinReport, DateCellHoldsTheFilesCreationTime) {
  std::time_t before = std::time(nullptr);
  std::string path = test::write_export(dir_, "dated.PRO", k_factor_file());
  std::time_t after = std::time(nullptr);
  Result<Conversion> c = convert_export_file(path);
  ASSERT_TRUE(c.ok()) << problem_text(c.error());
  std::optional<CellValue> cell = c->sheet.cell(2, D);
  ASSERT_TRUE(cell);
  ASSERT_TRUE(std::holds_alternative<DateTime>(*cell));
  std::time_t shown = seconds_of(std::get<DateTime>(*cell));
  // File system clocks may trail the system clock by a tick.
  EXPECT_GE(shown, before - 1);
  EXPECT_LE(shown, after + 1);
  EXPECT_GE(c->created, before - 1);
  EXPECT_LE(c->created, after + 1);
}

}  // namespace
}  // namespace ordelix
