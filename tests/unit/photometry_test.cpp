#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion.h"
#include "test_support.h"

namespace ordelix {
namespace {

using test::is_empty;
using test::number_at;
using test::separator;
using test::text_at;

using namespace test::columns;

using Lines = std::vector<std::string>;

// Lines 1 to 8, the wavelengths, the data mode and the sample count, then `rest`.
Lines pht_file(const std::string& path_code, const Lines& wavelengths, const std::string& mode,
               const std::string& m, const Lines& rest = {}) {
  Lines lines{"5", "0", "1", "SERUM", path_code, "0", "0", std::to_string(wavelengths.size())};
  lines.insert(lines.end(), wavelengths.begin(), wavelengths.end());
  lines.insert(lines.end(), {mode, m});
  lines.insert(lines.end(), rest.begin(), rest.end());
  return lines;
}

class PhotometryReport : public ::testing::Test {
 protected:
  ReportSheet convert(const Lines& lines) {
    Result<Conversion> c = convert_export_file(test::write_export(dir_, "run.PHT", lines));
    EXPECT_TRUE(c.ok()) << problem_text(c.error());
    return c->sheet;
  }

  test::TempDir dir_;
};

// The data mode stands between the last wavelength and the sample count.
TEST_F(PhotometryReport, DataModeIsPercentTOnlyForExactlyZero) {
  const std::pair<const char*, const char*> cases[] = {
      {"0", "%T"}, {"1", "OD/Abs"}, {"0.0", "OD/Abs"}, {"0 ", "OD/Abs"}};
  for (const auto& [mode, text] : cases) {
    ReportSheet s = convert(pht_file("4", {"405", "450 "}, mode, "1", {"1", "0.5", "0.4"}));
    EXPECT_EQ(text_at(s, 5, D), text) << mode;
    EXPECT_EQ(text_at(s, 8, G), "WL2450 nm");
    EXPECT_EQ(number_at(s, 10, G), 0.4) << mode;
  }
  ReportSheet s = convert(pht_file("4", {"260"}, "0", "1", {"1", "45.5"}));
  EXPECT_EQ(text_at(s, 5, D), "%T");
  EXPECT_EQ(number_at(s, 10, C), 1.0);
}

TEST_F(PhotometryReport, PathLengthCodes) {
  const std::pair<const char*, double> known[] = {{"1", 0.125}, {"7", 10}, {"99", 10}, {"-3", 10}};
  for (const auto& [code, mm] : known)
    EXPECT_EQ(number_at(convert(pht_file(code, {"260"}, "1", "1", {"1", "0.5"})), 6, D), mm);
  for (const char* code : {"abc", "", "7mm"})
    EXPECT_TRUE(is_empty(convert(pht_file(code, {"260"}, "1", "1", {"1", "0.5"})), 6, D)) << code;
}

TEST_F(PhotometryReport, NoSampleCountStillListsTheLines) {
  ReportSheet s = convert(pht_file("4", {"260"}, "1", "0", {"1", "0.7", "2"}));
  EXPECT_TRUE(is_empty(s, 10, A));
  EXPECT_EQ(number_at(s, 10, E), 0.7);
  EXPECT_EQ(number_at(s, 11, C), 2.0);
}

TEST_F(PhotometryReport, LineCountDecidesHowFarTheHeaderIsRead) {
  // 13 lines are read to line 11: neither the fourth wavelength nor the data mode.
  Lines lines = pht_file("4", {"405", "450", "492", "540", "595", "620"}, "1", "1");
  lines.resize(13);
  ReportSheet s = convert(lines);
  EXPECT_EQ(text_at(s, 8, I), "WL3492nm");
  EXPECT_TRUE(is_empty(s, 8, K));
  EXPECT_TRUE(is_empty(s, 5, D));
  EXPECT_TRUE(is_empty(s, 10, A));

  lines.pop_back();
  s = convert(lines);
  EXPECT_TRUE(is_empty(s, 4, D));
  EXPECT_TRUE(is_empty(s, 6, D));
  EXPECT_TRUE(is_empty(s, 8, E));
  EXPECT_EQ(text_at(s, 9, A), separator(220));
}

TEST_F(PhotometryReport, UnknownWavelengthCountListsOneValuePerRow) {
  ReportSheet s =
      convert(pht_file("4", {"1", "2", "3", "4", "5", "6", "7"}, "0", "2", {"v18", "v19"}));
  EXPECT_TRUE(is_empty(s, 8, E));
  EXPECT_TRUE(is_empty(s, 5, D));
  EXPECT_TRUE(is_empty(s, 10, A));
  EXPECT_EQ(text_at(s, 10, C), "v18");
  EXPECT_EQ(text_at(s, 11, C), "v19");
  EXPECT_EQ(s.last_row(), 11);
}

}  // namespace
}  // namespace ordelix
