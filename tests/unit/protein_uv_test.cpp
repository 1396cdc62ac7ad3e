#include <map>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "conversion.h"
#include "test_support.h"

namespace ordelix {
namespace {

using test::bold;
using test::Lines;
using test::plain;
using test::operator+;
using test::shows_text_starting_with;

using test::is_empty;
using test::number_at;
using test::numbered;
using test::padded;
using test::separator;
using test::text_at;

constexpr int A = 1, C = 3, D = 4, E = 5, G = 7, I = 9, K = 11, L = 12, M = 13;

// Lines 1 to 24 of a protein UV file; `changed` replaces lines by number.
Lines header_lines(const std::map<int, std::string>& changed = {}) {
  Lines lines{"6",   "0",   "1",   "BSA-STOCK", "7",    "10",  "0",   "h8",
              "h9",  "h10", "h11", "1.55",      "0.76", "0",   "h15", "h16",
              "h17", "h18", "h19", "h20",       "h21",  "h22", "3",   "2"};
  for (const auto& [line, text] : changed) lines[line - 1] = text;
  return lines;
}

// Six data lines of sample k: s<k>, a<k>, b<k>, c<k>, fifth<k>, ratio<k>.
Lines sample(int k) {
  return {numbered("s", k), numbered("a", k),     numbered("b", k),
          numbered("c", k), numbered("fifth", k), numbered("ratio", k)};
}

class ProteinUvReport : public test::ConversionTest {
 protected:
  Conversion convert(const Lines& lines, const std::string& name = "uv.PRO") {
    return convert_lines(lines, name);
  }
  ReportSheet sheet_of(const std::map<int, std::string>& changed) {
    return convert(header_lines(changed) + sample(1) + sample(2)).sheet;
  }
};

TEST_F(ProteinUvReport, HeaderBlock) {
  ReportSheet s = convert(header_lines() + sample(1) + sample(2)).sheet;
  EXPECT_EQ(text_at(s, 1, A), padded("Method", 22));
  EXPECT_EQ(text_at(s, 1, D), "PROTEIN UV ");
  EXPECT_EQ(text_at(s, 2, A), padded("Time & Date", 22));
  EXPECT_NE(s.cell(2, D), nullptr);
  EXPECT_EQ(text_at(s, 3, A), separator(71));
  EXPECT_TRUE(is_empty(s, 3, D));
  EXPECT_EQ(text_at(s, 4, A), padded("Sample Group Name", 22));
  EXPECT_EQ(text_at(s, 4, D), "BSA-STOC");
  EXPECT_EQ(text_at(s, 5, A), padded("Pathlength(mm)", 22));
  EXPECT_EQ(number_at(s, 5, D), 10.0);
  EXPECT_EQ(text_at(s, 6, A), padded("DI Factor", 22));
  EXPECT_EQ(number_at(s, 6, D), 10.0);
  EXPECT_EQ(text_at(s, 7, A), padded("Background", 22));
  EXPECT_EQ(text_at(s, 7, D), "On");
  EXPECT_EQ(text_at(s, 8, A), padded("A280 Factor", 22));
  EXPECT_EQ(number_at(s, 8, D), 1.55);
  EXPECT_EQ(text_at(s, 9, A), padded("A260 Factor", 22));
  EXPECT_EQ(number_at(s, 9, D), 0.76);
  EXPECT_EQ(text_at(s, 10, A), padded("Protein", 22));
  EXPECT_EQ(text_at(s, 10, D), "BSA");
  EXPECT_EQ(text_at(s, 11, A), padded("Unit", 22));
  EXPECT_EQ(text_at(s, 11, D), "mg/ml");
  EXPECT_EQ(text_at(s, 12, A), std::string(76, ' '));
  EXPECT_EQ(s.row_entries(12).size(), 1u);
  // Lines 8 to 11 and 15 to 22 are read but shown nowhere.
  EXPECT_FALSE(shows_text_starting_with(s, "h"));
}

TEST_F(ProteinUvReport, DataTableHeadings) {
  ReportSheet s = convert(header_lines() + sample(1)).sheet;
  EXPECT_EQ(text_at(s, 13, A), "Data No.   ");
  EXPECT_EQ(text_at(s, 13, C), "Sample No. ");
  EXPECT_EQ(text_at(s, 13, E), "A260 ");
  EXPECT_EQ(text_at(s, 13, G), "A280");
  EXPECT_EQ(text_at(s, 13, I), "A320");
  EXPECT_EQ(text_at(s, 13, K), "A280/A260");
  EXPECT_EQ(s.row_entries(13).size(), 6u);
  EXPECT_EQ(text_at(s, 14, A), std::string(105, '-'));
  EXPECT_EQ(s.row_entries(14).size(), 1u);
}

TEST_F(ProteinUvReport, BoldRanges) {
  ReportSheet s = convert(header_lines() + sample(1)).sheet;
  for (int row = 1; row <= 11; ++row)
    for (int col = A; col <= C; ++col) EXPECT_EQ(s.font_at(row, col), bold) << row << "," << col;
  EXPECT_EQ(s.font_at(1, D), plain);
  EXPECT_EQ(s.font_at(12, A), plain);
  for (int col = A; col <= L; ++col) EXPECT_EQ(s.font_at(13, col), bold) << col;
  EXPECT_EQ(s.font_at(13, M), plain);
  EXPECT_EQ(s.font_at(14, A), plain);
  EXPECT_EQ(s.font_at(15, C), plain);
}

TEST_F(ProteinUvReport, TwoFullSamplesShowTheSixthLineInColumnK) {
  ReportSheet s = convert(header_lines() + sample(1) + sample(2)).sheet;
  for (int k = 1; k <= 2; ++k) {
    int row = 14 + k;
    EXPECT_EQ(number_at(s, row, A), k);
    EXPECT_EQ(text_at(s, row, C), numbered("s", k));
    EXPECT_EQ(text_at(s, row, E), numbered("a", k));
    EXPECT_EQ(text_at(s, row, G), numbered("b", k));
    EXPECT_EQ(text_at(s, row, I), numbered("c", k));
    EXPECT_EQ(text_at(s, row, K), numbered("ratio", k));
    EXPECT_EQ(s.row_entries(row).size(), 6u) << row;
  }
  EXPECT_EQ(s.last_row(), 16);
  // The fifth line of a sample is shown nowhere.
  EXPECT_FALSE(shows_text_starting_with(s, "fifth"));
}

TEST_F(ProteinUvReport, LastSampleOfFiveLinesKeepsItsFifthInColumnK) {
  Lines last = sample(2);
  last.pop_back();
  ReportSheet s = convert(header_lines() + sample(1) + last).sheet;
  EXPECT_EQ(text_at(s, 15, K), "ratio1");
  EXPECT_EQ(text_at(s, 16, I), "c2");
  EXPECT_EQ(text_at(s, 16, K), "fifth2");
  EXPECT_EQ(s.last_row(), 16);
}

TEST_F(ProteinUvReport, LastSampleOfThreeLinesFillsCEAndG) {
  Lines last{"s2", "a2", "b2"};
  ReportSheet s = convert(header_lines() + sample(1) + last).sheet;
  EXPECT_EQ(text_at(s, 16, C), "s2");
  EXPECT_EQ(text_at(s, 16, E), "a2");
  EXPECT_EQ(text_at(s, 16, G), "b2");
  EXPECT_TRUE(is_empty(s, 16, I));
  EXPECT_TRUE(is_empty(s, 16, K));
}

TEST_F(ProteinUvReport, NoSamplesCountedStillPlacesTheDataLines) {
  for (const char* n : {"0", "", "none"}) {
    ReportSheet s = convert(header_lines({{24, n}}) + sample(1) + sample(2)).sheet;
    EXPECT_TRUE(is_empty(s, 15, A)) << n;
    EXPECT_TRUE(is_empty(s, 16, A)) << n;
    EXPECT_EQ(text_at(s, 15, C), "s1") << n;
    EXPECT_EQ(text_at(s, 16, K), "ratio2") << n;
  }
}

TEST_F(ProteinUvReport, MoreSamplesThanCountedAreAllPlaced) {
  ReportSheet s = convert(header_lines({{24, "1"}}) + sample(1) + sample(2) + sample(3)).sheet;
  EXPECT_EQ(number_at(s, 15, A), 1.0);
  EXPECT_TRUE(is_empty(s, 16, A));
  EXPECT_TRUE(is_empty(s, 17, A));
  EXPECT_EQ(text_at(s, 17, C), "s3");
  EXPECT_EQ(text_at(s, 17, K), "ratio3");
}

TEST_F(ProteinUvReport, FewerSamplesThanCountedLeaveRowsWithoutValues) {
  ReportSheet s = convert(header_lines({{24, "4"}}) + sample(1)).sheet;
  for (int k = 1; k <= 4; ++k) EXPECT_EQ(number_at(s, 14 + k, A), k);
  EXPECT_TRUE(is_empty(s, 16, C));
  EXPECT_EQ(s.last_row(), 18);
}

TEST_F(ProteinUvReport, SampleCountIsRoundedWithTheRowHalvesToEven) {
  // The last data row N + 14 is rounded: 16.5 gives 16, 17.5 gives 18.
  ReportSheet s = sheet_of({{24, "2.5"}});
  EXPECT_EQ(number_at(s, 16, A), 2.0);
  EXPECT_TRUE(is_empty(s, 17, A));
  s = sheet_of({{24, "3.5"}});
  EXPECT_EQ(number_at(s, 18, A), 4.0);
  EXPECT_TRUE(is_empty(s, 19, A));
}

TEST_F(ProteinUvReport, DataLinesAreCutToEightCharacters) {
  Lines data = sample(1);
  data[1] = "123456789";
  data[5] = "1.8051234";
  ReportSheet s = convert(header_lines() + data).sheet;
  EXPECT_EQ(number_at(s, 15, E), 12345678.0);
  EXPECT_EQ(number_at(s, 15, K), 1.805123);
}

TEST_F(ProteinUvReport, BackgroundByValue) {
  EXPECT_EQ(text_at(sheet_of({{7, "0"}}), 7, D), "On");
  EXPECT_EQ(text_at(sheet_of({{7, "1"}}), 7, D), "Off");
  EXPECT_EQ(text_at(sheet_of({{7, "1.0"}}), 7, D), "Off");
  EXPECT_EQ(text_at(sheet_of({{7, "off"}}), 7, D), "On");  // no number is 0
  EXPECT_TRUE(is_empty(sheet_of({{7, "2"}}), 7, D));
  EXPECT_TRUE(is_empty(sheet_of({{7, "0.5"}}), 7, D));
  EXPECT_EQ(text_at(sheet_of({{7, "2"}}), 7, A), padded("Background", 22));
}

TEST_F(ProteinUvReport, ProteinCodes) {
  const char* texts[] = {"BSA",         "Serum AL(M)", "Serum AL(H)", "lgG(M)",
                         "Lysozyme(C)", "Molar Ext C", "Ext Coeff."};
  for (int code = 0; code <= 6; ++code)
    EXPECT_EQ(text_at(sheet_of({{14, std::to_string(code)}}), 10, D), texts[code]) << code;
  EXPECT_EQ(text_at(sheet_of({{14, "x"}}), 10, D), "BSA");
  EXPECT_TRUE(is_empty(sheet_of({{14, "7"}}), 10, D));
  EXPECT_TRUE(is_empty(sheet_of({{14, "-1"}}), 10, D));
}

TEST_F(ProteinUvReport, UnitCodes) {
  const char* texts[] = {"ug/ml", "ug/ul", "ng/ul", "mg/ml", "mol/ul"};
  for (int code = 0; code <= 4; ++code)
    EXPECT_EQ(text_at(sheet_of({{23, std::to_string(code)}}), 11, D), texts[code]) << code;
  EXPECT_EQ(text_at(sheet_of({{23, "unit"}}), 11, D), "ug/ml");
  EXPECT_TRUE(is_empty(sheet_of({{23, "5"}}), 11, D));
  EXPECT_TRUE(is_empty(sheet_of({{23, "15"}}), 11, D));
}

TEST_F(ProteinUvReport, PathLengthCodes) {
  EXPECT_EQ(number_at(sheet_of({{5, "x"}}), 5, D), 0.1);
  EXPECT_EQ(number_at(sheet_of({{5, "3"}}), 5, D), 0.5);
  EXPECT_EQ(number_at(sheet_of({{5, "10000"}}), 5, D), 10.0);
  for (const char* code : {"-1", "2.5", "10001"}) {
    ReportSheet s = sheet_of({{5, code}});
    EXPECT_TRUE(is_empty(s, 5, D)) << code;
    EXPECT_EQ(text_at(s, 5, A), padded("Pathlength(mm)", 22)) << code;
  }
}

TEST_F(ProteinUvReport, ShortFileRepeatsItsLastLine) {
  // Thirteen lines: lines 14 to 24 of the header pass read line 13 again.
  Lines lines = header_lines();
  lines.resize(13);
  lines[12] = "3";
  ReportSheet s = convert(lines).sheet;
  EXPECT_EQ(number_at(s, 9, D), 3.0);
  EXPECT_EQ(text_at(s, 10, D), "lgG(M)");
  EXPECT_EQ(text_at(s, 11, D), "mg/ml");
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(number_at(s, 14 + k, A), k);
  EXPECT_TRUE(is_empty(s, 15, C));
  EXPECT_EQ(s.last_row(), 17);
}

TEST_F(ProteinUvReport, OtherVariantSelectsNoReport) {
  Conversion c = convert_export_file(
      test::write_export(dir_, "three.PRO", header_lines({{3, "3"}}) + sample(1)));
  ASSERT_TRUE(c.error);
  EXPECT_EQ(c.error->kind, ProblemKind::no_report);
  EXPECT_EQ(c.error->line, 3);
  EXPECT_EQ(problem_text(*c.error),
            "line 3 holds \"3\"; a protein UV file has 1 (UV) or 2 (UV dye) there");
}

TEST_F(ProteinUvReport, NothingReachesTheNextConversion) {
  ReportSheet first = sheet_of({{5, "6"}});
  EXPECT_EQ(number_at(first, 5, D), 5.0);
  ReportSheet second = convert(header_lines({{5, "-3"}}) + sample(1), "next.PRO").sheet;
  EXPECT_TRUE(is_empty(second, 5, D));
}

}  // namespace
}  // namespace ordelix
