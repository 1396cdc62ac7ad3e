#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion.h"
#include "test_support.h"

namespace ordelix {
namespace {

using test::is_empty;
using test::number_at;
using test::padded;
using test::separator;
using test::text_at;
using test::with_blanks;

using namespace test::columns;

using Lines = std::vector<std::string>;

// Lines 1 to 11 (unit mg/l, one wavelength unless `w` says otherwise), then `rest`.
Lines con_file(const std::string& n, const std::string& calibration, const Lines& rest,
               const std::string& w = "1") {
  Lines lines{"3", "0", "1", "RIVER", "4", "1", "7", n, calibration, w, "540"};
  lines.insert(lines.end(), rest.begin(), rest.end());
  return lines;
}

class ConcentrationReport : public ::testing::Test {
 protected:
  ReportSheet convert(const Lines& lines) {
    Result<Conversion> c = convert_export_file(test::write_export(dir_, "run.CON", lines));
    EXPECT_TRUE(c.ok()) << problem_text(c.error());
    return c->sheet;
  }

  test::TempDir dir_;
};

TEST_F(ConcentrationReport, NineStandardsReadTheFitFromLines30To33) {
  Lines standards;
  for (int line = 12; line <= 29; ++line) standards.push_back(test::numbered("s", line));
  standards.insert(standards.end(), {"-0.5", "2", "0.95", "0", "x"});
  ReportSheet s = convert(con_file("9", "0", standards));
  EXPECT_EQ(text_at(s, 22, E), "s29");
  EXPECT_EQ(text_at(s, 23, A), with_blanks("CONC = 2 * OD -0.5", 7));
  EXPECT_EQ(text_at(s, 23, E), with_blanks("R = 0.950", 22));
  // No samples: the table is its heading and separator.
  EXPECT_EQ(text_at(s, 26, A), separator(88));
  EXPECT_EQ(s.last_row(), 26);
}

TEST_F(ConcentrationReport, ValueLinesBeyondTheSampleCountHaveNoDataNumber) {
  ReportSheet s = convert(con_file("0", "1", {"0.1", "2", "1", "1", "0.5", "0.5", "1.1", "2"}));
  EXPECT_EQ(number_at(s, 16, A), 1.0);
  EXPECT_EQ(number_at(s, 16, C), 1.0);
  EXPECT_TRUE(is_empty(s, 17, A));
  EXPECT_EQ(number_at(s, 17, C), 2.0);
}

TEST_F(ConcentrationReport, StandardCountOutsideOneToNineLeavesFitAndSamplesOut) {
  ReportSheet s = convert(con_file("0", "0", {"0.1", "2", "0.9", "3", "1", "0.5"}));
  EXPECT_TRUE(is_empty(s, 14, A));
  EXPECT_TRUE(is_empty(s, 14, E));
  EXPECT_EQ(text_at(s, 17, A), separator(88));
  EXPECT_EQ(s.last_row(), 17);
}

TEST_F(ConcentrationReport, UnknownWavelengthCountListsOneValuePerRow) {
  ReportSheet s = convert(con_file("0", "1", {"0.1", "2", "2", "-", "-", "-", "v18", "v19"}, "4"));
  EXPECT_EQ(text_at(s, 7, A), padded("Unit", 19));
  EXPECT_EQ(text_at(s, 8, D), "K FACTOR");
  EXPECT_EQ(text_at(s, 10, A), std::string(70, ' '));
  EXPECT_TRUE(is_empty(s, 11, A));
  EXPECT_EQ(text_at(s, 14, A), "Data No.   ");
  EXPECT_TRUE(is_empty(s, 14, C));
  EXPECT_TRUE(is_empty(s, 15, A));
  EXPECT_EQ(text_at(s, 16, C), "v18");
  EXPECT_EQ(text_at(s, 17, C), "v19");
  EXPECT_EQ(number_at(s, 17, A), 2.0);
}

TEST_F(ConcentrationReport, OtherCalibrationCodeEndsAfterHeaderBlock) {
  ReportSheet s = convert(con_file("1", "2", {"1", "0.2", "0.1", "5", "0.9", "1"}));
  EXPECT_EQ(text_at(s, 9, A), padded("Calibration Mode", 22));
  EXPECT_TRUE(is_empty(s, 9, D));
  EXPECT_EQ(s.last_row(), 11);
}

}  // namespace
}  // namespace ordelix
