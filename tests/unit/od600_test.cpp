#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "conversion.h"
#include "test_support.h"

namespace ordelix {
namespace {

using test::is_empty;
using test::number_at;
using test::text_at;

constexpr int A = 1, D = 4, G = 7, J = 10;

using Lines = std::vector<std::string>;

// Lines 1 to 14, then `rest`; the unit and multiple lines count by their first character.
Lines od_file(const std::string& unit, const std::string& multiple, const std::string& factor,
              const std::string& m, const Lines& rest) {
  Lines lines{"7", "0", "1", "CULTURE", "4", "0", "1", "0", "0", "600", factor, unit, multiple, m};
  lines.insert(lines.end(), rest.begin(), rest.end());
  return lines;
}

class Od600Report : public ::testing::Test {
 protected:
  ReportSheet convert(const Lines& lines) {
    Conversion c = convert_export_file(test::write_export(dir_, "run.OD", lines));
    EXPECT_TRUE(c.ok()) << problem_text(*c.error);
    return c.sheet;
  }

  test::TempDir dir_;
};

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
}  // namespace ordelix
