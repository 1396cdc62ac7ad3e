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

constexpr int A = 1, C = 3, D = 4, E = 5, G = 7, I = 9, K = 11, M = 13, O = 15, Q = 17, Z = 26;

// Lines 1 to 16 of a nucleic acid file; `changed` replaces lines by number.
Lines header_lines(const std::map<int, std::string>& changed = {}) {
  Lines lines{"1",  "0",   "1",   "PUC19-PREP", "7",  "50",  "0", "h8",
              "h9", "h10", "h11", "h12",        "50", "h14", "2", "2"};
  for (const auto& [line, text] : changed) lines[line - 1] = text;
  return lines;
}

const char* const sample_columns = "CEGIKMOQ";

// Eight data lines of sample k, named by their column: C<k>, E<k> ...
Lines sample(int k) {
  return test::named_by_columns(sample_columns, k);
}

class NucleicAcidReport : public test::ConversionTest {
 protected:
  Conversion convert(const Lines& lines, const std::string& name = "run.NUC") {
    return convert_lines(lines, name);
  }
  ReportSheet sheet_of(const std::map<int, std::string>& changed) {
    return convert(header_lines(changed) + sample(1) + sample(2)).sheet;
  }
  Conversion refused(const Lines& lines) {
    Conversion c = convert_export_file(test::write_export(dir_, "refused.NUC", lines));
    EXPECT_TRUE(c.error && c.error->kind == ProblemKind::no_report);
    if (!c.error) c.error = Problem(ProblemKind::no_report);  // keeps the callers' reads valid
    return c;
  }
};

TEST_F(NucleicAcidReport, HeaderBlock) {
  ReportSheet s = sheet_of({});
  EXPECT_EQ(text_at(s, 1, A), padded("Method", 22));
  EXPECT_EQ(text_at(s, 1, D), with_blanks("dsDNA", 35));
  EXPECT_EQ(text_at(s, 2, A), padded("Time & Date", 22));
  EXPECT_NE(s.cell(2, D), nullptr);
  EXPECT_EQ(text_at(s, 3, A), separator(69));
  EXPECT_EQ(text_at(s, 4, A), padded("Sample Group Name", 22));
  EXPECT_EQ(text_at(s, 4, D), "PUC19-PR");
  EXPECT_EQ(text_at(s, 5, A), padded("Pathlength(mm)", 22));
  EXPECT_EQ(number_at(s, 5, D), 10.0);
  EXPECT_EQ(text_at(s, 6, A), padded("Dilution Factor", 22));
  EXPECT_EQ(number_at(s, 6, D), 50.0);
  EXPECT_EQ(text_at(s, 7, A), padded("Background", 22));
  EXPECT_EQ(text_at(s, 7, D), "On");
  EXPECT_EQ(text_at(s, 8, A), padded("Factor", 22));
  EXPECT_EQ(number_at(s, 8, D), 50.0);
  EXPECT_EQ(text_at(s, 9, A), padded("Unit", 23));
  EXPECT_EQ(text_at(s, 9, D), "ng/ul");
  EXPECT_EQ(text_at(s, 10, A), std::string(70, ' '));
  EXPECT_EQ(s.row_entries(10).size(), 1u);
  EXPECT_FALSE(shows_text_starting_with(s, "h"));
}

TEST_F(NucleicAcidReport, DataTableHeadings) {
  ReportSheet s = sheet_of({});
  EXPECT_EQ(text_at(s, 11, A), "Data No.    ");
  EXPECT_EQ(text_at(s, 11, C), "Sample No.  ");
  EXPECT_EQ(text_at(s, 11, E), "A230 ");
  EXPECT_EQ(text_at(s, 11, G), "A260 ");
  EXPECT_EQ(text_at(s, 11, I), "A280 ");
  EXPECT_EQ(text_at(s, 11, K), "A320 ");
  EXPECT_EQ(text_at(s, 11, M), "A260/A280");
  EXPECT_EQ(text_at(s, 11, O), "A260/A230");
  EXPECT_EQ(text_at(s, 11, Q), "Concentration");
  EXPECT_EQ(s.row_entries(11).size(), 9u);
  EXPECT_EQ(text_at(s, 12, A), separator(156));
}

TEST_F(NucleicAcidReport, BoldRanges) {
  ReportSheet s = sheet_of({});
  for (int row = 1; row <= 9; ++row)
    for (int col = A; col <= C; ++col) EXPECT_EQ(s.font_at(row, col), bold) << row << "," << col;
  EXPECT_EQ(s.font_at(1, D), plain);
  EXPECT_EQ(s.font_at(10, A), plain);
  for (int col = A; col <= Z; ++col) EXPECT_EQ(s.font_at(11, col), bold) << col;
  EXPECT_EQ(s.font_at(12, A), plain);
  EXPECT_EQ(s.font_at(13, C), plain);
}

TEST_F(NucleicAcidReport, SamplesFillCToQ) {
  ReportSheet s = sheet_of({});
  for (int k = 1; k <= 2; ++k) {
    int row = 12 + k;
    EXPECT_EQ(number_at(s, row, A), k);
    int col = C;
    for (const char* c = sample_columns; *c != '\0'; ++c, col += 2)
      EXPECT_EQ(text_at(s, row, col), numbered(std::string(1, *c), k)) << row << "," << col;
    EXPECT_EQ(s.row_entries(row).size(), 9u);
  }
  EXPECT_EQ(s.last_row(), 14);
}

TEST_F(NucleicAcidReport, SampleTypes) {
  const char* types[] = {"dsDNA", "ssDNA", "RNA", "OLIGO"};
  for (int code = 1; code <= 4; ++code)
    EXPECT_EQ(text_at(sheet_of({{3, std::to_string(code)}}), 1, D),
              with_blanks(types[code - 1], 35))
        << code;
  EXPECT_EQ(text_at(sheet_of({{3, "2.0"}}), 1, D), with_blanks("ssDNA", 35));
}

TEST_F(NucleicAcidReport, HeaderValuesThatSelectNoReportAreRefusedAtTheirLine) {
  const std::string type = "; a nucleic acid file has its sample type there, 1 to 4";
  Conversion c = refused(header_lines({{3, "5"}}) + sample(1));
  EXPECT_EQ(c.error->line, 3);
  EXPECT_EQ(problem_text(*c.error), "line 3 holds \"5\"" + type);
  c = refused(header_lines({{3, "2.5"}}) + sample(1));
  EXPECT_EQ(problem_text(*c.error), "line 3 holds \"2.5\"" + type);

  const std::string kind = "; a nucleic acid file starts with 1 or 5";
  c = refused(header_lines({{1, "2"}}) + sample(1));
  EXPECT_EQ(c.error->line, 1);
  EXPECT_EQ(problem_text(*c.error), "line 1 holds \"2\"" + kind);
  // Line 1 is judged first, whatever line 3 holds.
  c = refused(header_lines({{1, "DNA"}, {3, "0"}}) + sample(1));
  EXPECT_EQ(problem_text(*c.error), "line 1 holds \"DNA\"" + kind);
  EXPECT_TRUE(c.sheet.last_row() == 0);
}

TEST_F(NucleicAcidReport, EmptyFileSelectsNoReport) {
  refused({});
}

TEST_F(NucleicAcidReport, OneLineFileReadsThatLineForEveryOther) {
  // Reading past the end keeps the last line: lines 2 and 3 read "1" too.
  ReportSheet s = convert({"1"}).sheet;
  EXPECT_EQ(text_at(s, 1, D), with_blanks("dsDNA", 35));
  EXPECT_EQ(number_at(s, 4, D), 1.0);
  EXPECT_EQ(number_at(s, 5, D), 0.125);
  EXPECT_EQ(text_at(s, 7, D), "Off");
  EXPECT_EQ(text_at(s, 9, D), "ug/ul");
  EXPECT_EQ(number_at(s, 13, A), 1.0);
  EXPECT_TRUE(is_empty(s, 13, C));
  EXPECT_EQ(s.last_row(), 13);
}

TEST_F(NucleicAcidReport, BackgroundByTheFirstCharacter) {
  EXPECT_EQ(text_at(sheet_of({{7, "0"}}), 7, D), "On");
  EXPECT_EQ(text_at(sheet_of({{7, "05"}}), 7, D), "On");
  EXPECT_EQ(text_at(sheet_of({{7, "0ff"}}), 7, D), "On");
  EXPECT_EQ(text_at(sheet_of({{7, "1"}}), 7, D), "Off");
  EXPECT_EQ(text_at(sheet_of({{7, ""}}), 7, D), "Off");
  EXPECT_EQ(text_at(sheet_of({{7, " 0"}}), 7, D), "Off");
  EXPECT_EQ(text_at(sheet_of({{7, "2"}}), 7, D), "Off");
}

TEST_F(NucleicAcidReport, PathLengthCodes) {
  EXPECT_EQ(number_at(sheet_of({{5, "3"}}), 5, D), 0.5);
  EXPECT_EQ(number_at(sheet_of({{5, "4"}}), 5, D), 1.0);
  EXPECT_EQ(number_at(sheet_of({{5, "10000"}}), 5, D), 10.0);
  EXPECT_EQ(number_at(sheet_of({{5, "none"}}), 5, D), 0.1);
  for (const char* code : {"10001", "-1", "0.5"}) {
    ReportSheet s = sheet_of({{5, code}});
    EXPECT_TRUE(is_empty(s, 5, D)) << code;
    EXPECT_EQ(text_at(s, 5, A), padded("Pathlength(mm)", 22)) << code;
  }
}

TEST_F(NucleicAcidReport, UnitCodes) {
  const char* texts[] = {"ug/ml", "ug/ul", "ng/ul", "mg/ml", "mol/ul"};
  for (int code = 0; code <= 4; ++code)
    EXPECT_EQ(text_at(sheet_of({{15, std::to_string(code)}}), 9, D), texts[code]) << code;
  EXPECT_EQ(text_at(sheet_of({{15, "unit"}}), 9, D), "ug/ml");
  EXPECT_TRUE(is_empty(sheet_of({{15, "5"}}), 9, D));
  EXPECT_TRUE(is_empty(sheet_of({{15, "3.5"}}), 9, D));
}

TEST_F(NucleicAcidReport, NoSamplesCountedStillPlacesTheDataLines) {
  for (const char* n : {"0", "", "n"}) {
    ReportSheet s = sheet_of({{16, n}});
    EXPECT_TRUE(is_empty(s, 13, A)) << n;
    EXPECT_TRUE(is_empty(s, 14, A)) << n;
    EXPECT_EQ(text_at(s, 13, C), "C1") << n;
    EXPECT_EQ(text_at(s, 14, Q), "Q2") << n;
  }
}

TEST_F(NucleicAcidReport, TwoCountedWithThreeSamplesOfData) {
  ReportSheet s = convert(header_lines() + sample(1) + sample(2) + sample(3)).sheet;
  EXPECT_EQ(number_at(s, 13, A), 1.0);
  EXPECT_EQ(number_at(s, 14, A), 2.0);
  EXPECT_TRUE(is_empty(s, 15, A));
  EXPECT_EQ(text_at(s, 15, C), "C3");
  EXPECT_EQ(text_at(s, 15, Q), "Q3");
}

TEST_F(NucleicAcidReport, PartialLastRowStartsInColumnC) {
  ReportSheet s = convert(header_lines() + sample(1) + Lines{"C2", "E2", "G2"}).sheet;
  EXPECT_EQ(text_at(s, 14, G), "G2");
  EXPECT_TRUE(is_empty(s, 14, I));
  EXPECT_EQ(number_at(s, 14, A), 2.0);
}

TEST_F(NucleicAcidReport, SampleCountIsRoundedWithTheRowHalvesToEven) {
  // The last data row N + 12 is rounded: 14.5 gives 14, 15.5 gives 16.
  ReportSheet s = sheet_of({{16, "2.5"}});
  EXPECT_EQ(number_at(s, 14, A), 2.0);
  EXPECT_TRUE(is_empty(s, 15, A));
  s = sheet_of({{16, "3.5"}});
  EXPECT_EQ(number_at(s, 16, A), 4.0);
  EXPECT_TRUE(is_empty(s, 17, A));
}

TEST_F(NucleicAcidReport, DataLinesAreCutToEightCharacters) {
  Lines data = sample(1);
  data[2] = "123456789";
  data[7] = "2265.0000";
  ReportSheet s = convert(header_lines() + data).sheet;
  EXPECT_EQ(number_at(s, 13, G), 12345678.0);
  EXPECT_EQ(number_at(s, 13, Q), 2265.0);
}

TEST_F(NucleicAcidReport, ShortHeaderRepeatsItsLastLine) {
  // Ten lines: lines 11 to 16 of the header pass read line 10 again.
  Lines lines = header_lines();
  lines.resize(10);
  lines[9] = "3";
  ReportSheet s = convert(lines).sheet;
  EXPECT_EQ(number_at(s, 8, D), 3.0);
  EXPECT_EQ(text_at(s, 9, D), "mg/ml");
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(number_at(s, 12 + k, A), k);
  EXPECT_TRUE(is_empty(s, 13, C));
}

TEST_F(NucleicAcidReport, LowerCaseExtension) {
  ReportSheet s = convert(header_lines() + sample(1), "lower.nuc").sheet;
  EXPECT_EQ(text_at(s, 1, D), with_blanks("dsDNA", 35));
}

TEST_F(NucleicAcidReport, NothingReachesTheNextConversion) {
  EXPECT_EQ(number_at(sheet_of({{5, "5"}}), 5, D), 2.0);
  ReportSheet second = convert(header_lines({{5, "-2"}}) + sample(1), "next.NUC").sheet;
  EXPECT_TRUE(is_empty(second, 5, D));
}

}  // namespace
}  // namespace ordelix
