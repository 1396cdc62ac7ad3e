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
using test::with_blanks;

constexpr int A = 1, C = 3, D = 4, E = 5, G = 7, I = 9, K = 11, M = 13, O = 15, Q = 17, S = 19,
              U = 21, W = 23, X = 24, Y = 25;

// Lines 1 to 20 of a nucleic acid dye file; `changed` replaces lines by number.
Lines header_lines(const std::map<int, std::string>& changed = {}) {
  Lines lines{"5",   "0",   "3",   "CY3-aRNA", "7",  "1",   "0",      "h8",   "h9", "h10",
              "h11", "h12", "h13", "40",       "10", "550", "150000", "0.08", "2",  "2"};
  for (const auto& [line, text] : changed) lines[line - 1] = text;
  return lines;
}

const char* const sample_columns = "CEGIKMOQSUW";

// Eleven data lines of sample k, named by their column: C<k>, E<k> ...
Lines sample(int k) {
  return test::named_by_columns(sample_columns, k);
}

class NucleicAcidDyeReport : public test::ConversionTest {
 protected:
  Conversion convert(const Lines& lines, const std::string& name = "dye.NUC") {
    return convert_lines(lines, name);
  }
  ReportSheet sheet_of(const std::map<int, std::string>& changed) {
    return convert(header_lines(changed) + sample(1)).sheet;
  }
};

TEST_F(NucleicAcidDyeReport, HeaderBlock) {
  ReportSheet s = convert(header_lines() + sample(1) + sample(2)).sheet;
  EXPECT_EQ(text_at(s, 1, A), padded("Method", 22));
  EXPECT_EQ(text_at(s, 1, D), with_blanks("RNA-DYE", 35));
  EXPECT_EQ(text_at(s, 1, D)->size(), 42u);
  EXPECT_EQ(text_at(s, 2, A), padded("Time & Date", 22));
  EXPECT_NE(s.cell(2, D), nullptr);
  EXPECT_EQ(text_at(s, 3, A), separator(69));
  EXPECT_EQ(text_at(s, 4, A), padded("Sample Group Name", 22));
  EXPECT_EQ(text_at(s, 4, D), "CY3-aRNA");
  EXPECT_EQ(text_at(s, 5, A), padded("Pathlength(mm)", 22));
  EXPECT_EQ(number_at(s, 5, D), 10.0);
  EXPECT_EQ(text_at(s, 6, A), padded("Dilution Factor", 22));
  EXPECT_EQ(number_at(s, 6, D), 1.0);
  EXPECT_EQ(text_at(s, 7, A), padded("Background", 22));
  EXPECT_EQ(text_at(s, 7, D), "On");
  EXPECT_EQ(text_at(s, 8, A), padded("Factor", 22));
  EXPECT_EQ(number_at(s, 8, D), 40.0);
  EXPECT_EQ(text_at(s, 9, A), padded("Unit", 22));
  EXPECT_EQ(text_at(s, 9, D), "ng/ul");
  EXPECT_EQ(text_at(s, 10, A), padded("Dye Type", 23));
  EXPECT_EQ(text_at(s, 10, D), "Cy3");
  EXPECT_EQ(text_at(s, 11, A), padded("Dye OD Max", 21));
  EXPECT_EQ(number_at(s, 11, D), 550.0);
  EXPECT_EQ(text_at(s, 12, A), padded("Dye Ext Coefficient", 21));
  EXPECT_EQ(number_at(s, 12, D), 150000.0);
  EXPECT_EQ(text_at(s, 13, A), padded("Dye Correction", 21));
  EXPECT_EQ(number_at(s, 13, D), 0.08);
  EXPECT_EQ(text_at(s, 14, A), std::string(70, ' '));
  EXPECT_EQ(s.row_entries(14).size(), 1u);
  EXPECT_FALSE(shows_text_starting_with(s, "h"));
}

TEST_F(NucleicAcidDyeReport, DataTableHeadings) {
  ReportSheet s = convert(header_lines() + sample(1)).sheet;
  EXPECT_EQ(text_at(s, 15, A), "Data No.    ");
  EXPECT_EQ(text_at(s, 15, C), "Sample No.  ");
  EXPECT_EQ(text_at(s, 15, E), "A230 ");
  EXPECT_EQ(text_at(s, 15, G), "A260 ");
  EXPECT_EQ(text_at(s, 15, I), "A280 ");
  EXPECT_EQ(text_at(s, 15, K), "A320 ");
  EXPECT_EQ(text_at(s, 15, M), "Dye  ");
  EXPECT_EQ(text_at(s, 15, O), "A260/A280");
  EXPECT_EQ(text_at(s, 15, Q), "A260/A230");
  EXPECT_EQ(text_at(s, 15, S), "Concentration");
  EXPECT_EQ(text_at(s, 15, U), "Dye-Concentration");
  EXPECT_EQ(text_at(s, 15, W), "Frequency of incorporation");
  EXPECT_EQ(s.row_entries(15).size(), 12u);
  EXPECT_EQ(text_at(s, 16, A), separator(210));
}

TEST_F(NucleicAcidDyeReport, BoldRanges) {
  ReportSheet s = convert(header_lines() + sample(1)).sheet;
  for (int row = 1; row <= 13; ++row)
    for (int col = A; col <= C; ++col) EXPECT_EQ(s.font_at(row, col), bold) << row << "," << col;
  EXPECT_EQ(s.font_at(1, D), plain);
  EXPECT_EQ(s.font_at(14, A), plain);
  for (int col = A; col <= X; ++col) EXPECT_EQ(s.font_at(15, col), bold) << col;
  EXPECT_EQ(s.font_at(15, Y), plain);
  EXPECT_EQ(s.font_at(16, A), plain);
  EXPECT_EQ(s.font_at(17, C), plain);
}

TEST_F(NucleicAcidDyeReport, OneSampleFillsCToW) {
  ReportSheet s = convert(header_lines({{20, "1"}}) + sample(1)).sheet;
  EXPECT_EQ(number_at(s, 17, A), 1.0);
  int col = C;
  for (const char* c = sample_columns; *c != '\0'; ++c, col += 2)
    EXPECT_EQ(text_at(s, 17, col), numbered(std::string(1, *c), 1)) << col;
  EXPECT_EQ(s.row_entries(17).size(), 12u);
  EXPECT_EQ(s.last_row(), 17);
}

TEST_F(NucleicAcidDyeReport, TwoSamplesAndAPartialRow) {
  ReportSheet s = convert(header_lines() + sample(1) + sample(2) + Lines{"C3"}).sheet;
  EXPECT_EQ(text_at(s, 18, W), "W2");
  EXPECT_EQ(number_at(s, 18, A), 2.0);
  EXPECT_TRUE(is_empty(s, 19, A));
  EXPECT_EQ(text_at(s, 19, C), "C3");
  EXPECT_TRUE(is_empty(s, 19, E));
}

TEST_F(NucleicAcidDyeReport, SampleTypes) {
  const char* types[] = {"dsDNA-DYE", "ssDNA-DYE", "RNA-DYE", "OLIGO-DYE"};
  for (int code = 1; code <= 4; ++code)
    EXPECT_EQ(text_at(sheet_of({{3, std::to_string(code)}}), 1, D),
              with_blanks(types[code - 1], 35))
        << code;
}

TEST_F(NucleicAcidDyeReport, OtherSampleTypeSelectsNoReport) {
  Conversion c =
      convert_export_file(test::write_export(dir_, "x.NUC", header_lines({{3, "0"}}) + sample(1)));
  ASSERT_TRUE(c.error);
  EXPECT_EQ(c.error->kind, ProblemKind::no_report);
  EXPECT_EQ(c.error->line, 3);
  EXPECT_EQ(problem_text(*c.error),
            "line 3 holds \"0\"; a nucleic acid file has its sample type there, 1 to 4");
}

TEST_F(NucleicAcidDyeReport, DyeCodes) {
  EXPECT_EQ(text_at(sheet_of({{15, "13"}}), 10, D), "Cy5.5");
  EXPECT_EQ(text_at(sheet_of({{15, "20"}}), 10, D), "Texas Red");
  EXPECT_EQ(text_at(sheet_of({{15, "0"}}), 10, D), "A.F.350");
  EXPECT_EQ(text_at(sheet_of({{15, "21"}}), 10, D), "Custom");
  EXPECT_EQ(text_at(sheet_of({{15, "10.0"}}), 10, D), "Cy3");
  EXPECT_EQ(text_at(sheet_of({{15, "none"}}), 10, D), "A.F.350");
  EXPECT_TRUE(is_empty(sheet_of({{15, "22"}}), 10, D));
  EXPECT_TRUE(is_empty(sheet_of({{15, "-1"}}), 10, D));
}

TEST_F(NucleicAcidDyeReport, UnitCodesStopAtThree) {
  const char* texts[] = {"ug/ml", "ug/ul", "ng/ul", "mg/ml"};
  for (int code = 0; code <= 3; ++code)
    EXPECT_EQ(text_at(sheet_of({{19, std::to_string(code)}}), 9, D), texts[code]) << code;
  EXPECT_EQ(text_at(sheet_of({{19, "u"}}), 9, D), "ug/ml");
  // Code 4 has no text in this report ("mol/ul" in the plain report).
  EXPECT_TRUE(is_empty(sheet_of({{19, "4"}}), 9, D));
  EXPECT_TRUE(is_empty(sheet_of({{19, "5"}}), 9, D));
  EXPECT_EQ(text_at(sheet_of({{19, "5"}}), 9, A), padded("Unit", 22));
}

TEST_F(NucleicAcidDyeReport, BackgroundByTheFirstCharacter) {
  EXPECT_EQ(text_at(sheet_of({{7, "0"}}), 7, D), "On");
  EXPECT_EQ(text_at(sheet_of({{7, "0.0"}}), 7, D), "On");
  EXPECT_EQ(text_at(sheet_of({{7, "1"}}), 7, D), "Off");
  EXPECT_EQ(text_at(sheet_of({{7, ""}}), 7, D), "Off");
  EXPECT_EQ(text_at(sheet_of({{7, "x0"}}), 7, D), "Off");
}

TEST_F(NucleicAcidDyeReport, LinesOfThisLayoutNotThePlainOne) {
  // Line 13 is the plain report's factor; here it is read and not shown.
  ReportSheet s = sheet_of({{13, "99"}, {14, "33"}, {16, "650"}, {17, "250000"}, {18, "0.05"}});
  EXPECT_EQ(number_at(s, 8, D), 33.0);
  EXPECT_EQ(number_at(s, 11, D), 650.0);
  EXPECT_EQ(number_at(s, 12, D), 250000.0);
  EXPECT_EQ(number_at(s, 13, D), 0.05);
}

TEST_F(NucleicAcidDyeReport, NoSamplesCountedStillPlacesTheDataLines) {
  ReportSheet s = convert(header_lines({{20, "0"}}) + sample(1) + sample(2)).sheet;
  EXPECT_TRUE(is_empty(s, 17, A));
  EXPECT_TRUE(is_empty(s, 18, A));
  EXPECT_EQ(text_at(s, 17, C), "C1");
  EXPECT_EQ(text_at(s, 18, W), "W2");
}

TEST_F(NucleicAcidDyeReport, SampleCountIsRoundedWithTheRowHalvesToEven) {
  // The last data row N + 16 is rounded: 18.5 gives 18, 19.5 gives 20.
  ReportSheet s = sheet_of({{20, "2.5"}});
  EXPECT_EQ(number_at(s, 18, A), 2.0);
  EXPECT_TRUE(is_empty(s, 19, A));
  s = sheet_of({{20, "3.5"}});
  EXPECT_EQ(number_at(s, 20, A), 4.0);
  EXPECT_TRUE(is_empty(s, 21, A));
}

TEST_F(NucleicAcidDyeReport, DataLinesAreCutToEightCharacters) {
  Lines data = sample(1);
  data[10] = "20.1723456";
  ReportSheet s = convert(header_lines() + data).sheet;
  EXPECT_EQ(number_at(s, 17, W), 20.17234);
}

TEST_F(NucleicAcidDyeReport, PathLengthOutsideTheTableIsEmpty) {
  EXPECT_EQ(number_at(sheet_of({{5, "2"}}), 5, D), 0.2);
  EXPECT_TRUE(is_empty(sheet_of({{5, "20000"}}), 5, D));
}

TEST_F(NucleicAcidDyeReport, ShortHeaderRepeatsItsLastLine) {
  // Seventeen lines: lines 18 to 20 of the header pass read line 17 again.
  Lines lines = header_lines();
  lines.resize(17);
  lines[16] = "1";
  ReportSheet s = convert(lines).sheet;
  EXPECT_EQ(number_at(s, 12, D), 1.0);
  EXPECT_EQ(number_at(s, 13, D), 1.0);
  EXPECT_EQ(text_at(s, 9, D), "ug/ul");
  EXPECT_EQ(number_at(s, 17, A), 1.0);
  EXPECT_TRUE(is_empty(s, 18, A));
  EXPECT_TRUE(is_empty(s, 17, C));
}

}  // namespace
}  // namespace ordelix
