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

constexpr int A = 1, C = 3, D = 4, E = 5, G = 7, I = 9, K = 11, M = 13, O = 15, Q = 17, S = 19,
              T = 20;

// Lines 1 to 25 of a protein UV dye file; `changed` replaces lines by number.
Lines header_lines(const std::map<int, std::string>& changed = {}) {
  Lines lines{"6",   "0",      "2",   "IGG-AF488", "7",    "1", "1",   "h8",  "h9",
              "h10", "h11",    "h12", "1.55",      "0.76", "3", "h16", "h17", "h18",
              "1",   "210000", "494", "71000",     "0.11", "3", "2"};
  for (const auto& [line, text] : changed) lines[line - 1] = text;
  return lines;
}

const char* const sample_columns = "CEGIKMOQS";

// Nine data lines of sample k, named by their column: C<k>, E<k> ...
Lines sample(int k) {
  return test::named_by_columns(sample_columns, k);
}

class ProteinUvDyeReport : public test::ConversionTest {
 protected:
  Conversion convert(const Lines& lines, const std::string& name = "uvdye.PRO") {
    return convert_lines(lines, name);
  }
  ReportSheet sheet_of(const std::map<int, std::string>& changed) {
    return convert(header_lines(changed) + sample(1)).sheet;
  }
};

TEST_F(ProteinUvDyeReport, HeaderBlock) {
  ReportSheet s = convert(header_lines() + sample(1) + sample(2)).sheet;
  EXPECT_EQ(text_at(s, 1, A), padded("Method", 22));
  EXPECT_EQ(text_at(s, 1, D), "PROTEIN UV DYE");
  EXPECT_EQ(text_at(s, 2, A), padded("Time & Date", 22));
  EXPECT_NE(s.cell(2, D), nullptr);
  EXPECT_EQ(text_at(s, 3, A), separator(71));
  EXPECT_EQ(text_at(s, 4, A), padded("Sample Name", 22));
  EXPECT_EQ(text_at(s, 4, D), "IGG-AF48");
  EXPECT_EQ(text_at(s, 5, A), padded("Pathlength(mm)", 22));
  EXPECT_EQ(number_at(s, 5, D), 10.0);
  EXPECT_EQ(text_at(s, 6, A), padded("DI Factor", 22));
  EXPECT_EQ(number_at(s, 6, D), 1.0);
  EXPECT_EQ(text_at(s, 7, A), padded("Background", 22));
  EXPECT_EQ(text_at(s, 7, D), "Off");
  EXPECT_EQ(text_at(s, 8, A), padded("A280 Factor", 22));
  EXPECT_EQ(number_at(s, 8, D), 1.55);
  EXPECT_EQ(text_at(s, 9, A), padded("A260 Factor", 22));
  EXPECT_EQ(number_at(s, 9, D), 0.76);
  EXPECT_EQ(text_at(s, 10, A), padded("Protein", 22));
  EXPECT_EQ(text_at(s, 10, D), "lgG(M)");
  EXPECT_EQ(text_at(s, 11, A), padded("Dye Type", 22));
  EXPECT_EQ(text_at(s, 11, D), "A.F.488");
  EXPECT_EQ(text_at(s, 12, A), padded("Pro Ext Coefficient", 22));
  EXPECT_EQ(number_at(s, 12, D), 210000.0);
  EXPECT_EQ(text_at(s, 13, A), padded("Dye OD Max", 22));
  EXPECT_EQ(number_at(s, 13, D), 494.0);
  EXPECT_EQ(text_at(s, 14, A), padded("Dye Ext Coeff", 22));
  EXPECT_EQ(number_at(s, 14, D), 71000.0);
  EXPECT_EQ(text_at(s, 15, A), padded("Dye Correct", 22));
  EXPECT_EQ(number_at(s, 15, D), 0.11);
  EXPECT_EQ(text_at(s, 16, A), padded("Unit", 22));
  EXPECT_EQ(text_at(s, 16, D), "mg/ml");
  EXPECT_EQ(text_at(s, 17, A), std::string(76, ' '));
  EXPECT_EQ(s.row_entries(17).size(), 1u);
  EXPECT_FALSE(shows_text_starting_with(s, "h"));
}

TEST_F(ProteinUvDyeReport, DataTableHeadings) {
  ReportSheet s = convert(header_lines() + sample(1)).sheet;
  EXPECT_EQ(text_at(s, 18, A), "Data No.");
  EXPECT_EQ(text_at(s, 18, C), "Sample No.");
  EXPECT_EQ(text_at(s, 18, E), "A260 ");
  EXPECT_EQ(text_at(s, 18, G), "A280");
  EXPECT_EQ(text_at(s, 18, I), "A320");
  EXPECT_EQ(text_at(s, 18, K), "Dye   ");
  EXPECT_EQ(text_at(s, 18, M), "A260/A280");
  EXPECT_EQ(text_at(s, 18, O), "Concentration");
  EXPECT_EQ(text_at(s, 18, Q), "Dye-Concentration");
  EXPECT_EQ(text_at(s, 18, S), "Degree of labelling");
  EXPECT_EQ(s.row_entries(18).size(), 10u);
  EXPECT_EQ(text_at(s, 19, A), std::string(184, '-'));
}

TEST_F(ProteinUvDyeReport, OnlyTheHeaderLabelsAreBold) {
  ReportSheet s = convert(header_lines() + sample(1)).sheet;
  for (int row = 1; row <= 16; ++row)
    for (int col = A; col <= C; ++col) EXPECT_EQ(s.font_at(row, col), bold) << row << "," << col;
  EXPECT_EQ(s.font_at(1, D), plain);
  EXPECT_EQ(s.font_at(17, A), plain);
  // The heading row keeps the sheet-wide plain font.
  for (int col = A; col <= T; ++col) EXPECT_EQ(s.font_at(18, col), plain) << col;
  EXPECT_EQ(s.font_at(20, C), plain);
}

TEST_F(ProteinUvDyeReport, TwoSamplesFillCToS) {
  ReportSheet s = convert(header_lines() + sample(1) + sample(2)).sheet;
  for (int k = 1; k <= 2; ++k) {
    int row = 19 + k;
    EXPECT_EQ(number_at(s, row, A), k);
    int col = C;
    for (const char* c = sample_columns; *c != '\0'; ++c, col += 2)
      EXPECT_EQ(text_at(s, row, col), numbered(std::string(1, *c), k)) << row << "," << col;
    EXPECT_EQ(s.row_entries(row).size(), 10u);
  }
  EXPECT_EQ(s.last_row(), 21);
}

TEST_F(ProteinUvDyeReport, PartialLastRowStartsInColumnC) {
  ReportSheet s = convert(header_lines() + sample(1) + Lines{"C2", "E2"}).sheet;
  EXPECT_EQ(text_at(s, 21, C), "C2");
  EXPECT_EQ(text_at(s, 21, E), "E2");
  EXPECT_TRUE(is_empty(s, 21, G));
}

TEST_F(ProteinUvDyeReport, NoSamplesCountedStillPlacesTheDataLines) {
  ReportSheet s = convert(header_lines({{25, "0"}}) + sample(1) + sample(2)).sheet;
  EXPECT_TRUE(is_empty(s, 20, A));
  EXPECT_TRUE(is_empty(s, 21, A));
  EXPECT_EQ(text_at(s, 20, C), "C1");
  EXPECT_EQ(text_at(s, 21, S), "S2");
}

TEST_F(ProteinUvDyeReport, MoreSamplesThanCountedAreAllPlaced) {
  ReportSheet s = convert(header_lines({{25, "1"}}) + sample(1) + sample(2)).sheet;
  EXPECT_EQ(number_at(s, 20, A), 1.0);
  EXPECT_TRUE(is_empty(s, 21, A));
  EXPECT_EQ(text_at(s, 21, S), "S2");
}

TEST_F(ProteinUvDyeReport, SampleCountIsRoundedWithTheRowHalvesToEven) {
  // The last data row N + 19 is rounded: 21.5 gives 22, three data numbers
  // (rounding N alone would give two).
  ReportSheet s = sheet_of({{25, "2.5"}});
  EXPECT_EQ(number_at(s, 22, A), 3.0);
  EXPECT_TRUE(is_empty(s, 23, A));
  s = sheet_of({{25, "1.5"}});
  EXPECT_EQ(number_at(s, 20, A), 1.0);
  EXPECT_TRUE(is_empty(s, 21, A));
}

TEST_F(ProteinUvDyeReport, DataLinesAreCutToEightCharacters) {
  Lines data = sample(1);
  data[4] = "0.56612345";
  data[8] = "DOL-TOO-LONG";
  ReportSheet s = convert(header_lines() + data).sheet;
  EXPECT_EQ(number_at(s, 20, K), 0.566123);
  EXPECT_EQ(text_at(s, 20, S), "DOL-TOO-");
}

TEST_F(ProteinUvDyeReport, DyeCodes) {
  const char* names[] = {"A.F.350",    "A.F.488",    "A.F.532",    "A.F.546",    "A.F.555",
                         "A.F.568",    "A.F.594",    "A.F.647",    "A.F.660",    "A.F.680",
                         "Cy3",        "Cy3.5",      "Cy5",        "Cy5.5",      "Oyster-500",
                         "Oyster-550", "Oyster-556", "Oyster-645", "Oyster-650", "Oyster-656",
                         "Texas Red",  "Custom"};
  for (int code = 0; code <= 21; ++code)
    EXPECT_EQ(text_at(sheet_of({{19, std::to_string(code)}}), 11, D), names[code]) << code;
  EXPECT_EQ(text_at(sheet_of({{19, "10.0"}}), 11, D), "Cy3");  // compared as a number
  EXPECT_EQ(text_at(sheet_of({{19, " 14"}}), 11, D), "Oyster-500");
  EXPECT_EQ(text_at(sheet_of({{19, "dye"}}), 11, D), "A.F.350");
  EXPECT_TRUE(is_empty(sheet_of({{19, "22"}}), 11, D));
  EXPECT_TRUE(is_empty(sheet_of({{19, "10.5"}}), 11, D));
}

TEST_F(ProteinUvDyeReport, CustomDyeShowsTheFilesConstants) {
  ReportSheet s =
      sheet_of({{19, "21"}, {20, "43824"}, {21, "555"}, {22, "98000"}, {23, "0.0712345"}});
  EXPECT_EQ(text_at(s, 11, D), "Custom");
  EXPECT_EQ(number_at(s, 12, D), 43824.0);
  EXPECT_EQ(number_at(s, 13, D), 555.0);
  EXPECT_EQ(number_at(s, 14, D), 98000.0);
  EXPECT_EQ(number_at(s, 15, D), 0.071234);
}

TEST_F(ProteinUvDyeReport, CodesOutsideTheirTablesLeaveTheirCellsEmpty) {
  ReportSheet s = sheet_of({{7, "2"}, {15, "7"}, {19, "22"}, {24, "5"}});
  for (int row : {7, 10, 11, 16}) {
    EXPECT_TRUE(is_empty(s, row, D)) << row;
    EXPECT_FALSE(is_empty(s, row, A)) << row;
  }
}

TEST_F(ProteinUvDyeReport, NonNumericCodesReadAsZero) {
  ReportSheet s = sheet_of({{5, "x"}, {7, "x"}, {15, "x"}, {19, "x"}, {24, "x"}, {25, "x"}});
  EXPECT_EQ(number_at(s, 5, D), 0.1);
  EXPECT_EQ(text_at(s, 7, D), "On");
  EXPECT_EQ(text_at(s, 10, D), "BSA");
  EXPECT_EQ(text_at(s, 11, D), "A.F.350");
  EXPECT_EQ(text_at(s, 16, D), "ug/ml");
  EXPECT_TRUE(is_empty(s, 20, A));
}

TEST_F(ProteinUvDyeReport, UnitCodes) {
  const char* texts[] = {"ug/ml", "ug/ul", "ng/ul", "mg/ml", "mol/ul"};
  for (int code = 0; code <= 4; ++code)
    EXPECT_EQ(text_at(sheet_of({{24, std::to_string(code)}}), 16, D), texts[code]) << code;
}

TEST_F(ProteinUvDyeReport, PathLengthOutsideTheTableIsEmpty) {
  EXPECT_EQ(number_at(sheet_of({{5, "1"}}), 5, D), 0.125);
  EXPECT_TRUE(is_empty(sheet_of({{5, "6.5"}}), 5, D));
}

TEST_F(ProteinUvDyeReport, ShortFileRepeatsItsLastLine) {
  // Twenty lines: lines 21 to 25 of the header pass read line 20 again.
  Lines lines = header_lines();
  lines.resize(20);
  lines[19] = "2";
  ReportSheet s = convert(lines).sheet;
  EXPECT_EQ(number_at(s, 12, D), 2.0);
  EXPECT_EQ(number_at(s, 15, D), 2.0);
  EXPECT_EQ(text_at(s, 16, D), "ng/ul");
  EXPECT_EQ(number_at(s, 21, A), 2.0);
  EXPECT_TRUE(is_empty(s, 22, A));
  EXPECT_TRUE(is_empty(s, 20, C));
}

}  // namespace
}  // namespace ordelix
