#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion.h"
#include "report_tables.h"
#include "sample_table_report.h"
#include "test_support.h"

namespace ordelix::test {
namespace {

using namespace columns;

// Lines 1 to 16 of a nucleic acid file; `changed` replaces lines by number.
Lines nucleic_acid_header(const Changes& changed = {}) {
  return with_changes({"1", "0", "1", "PUC19-PREP", "7", "50", "0", "h8", "h9", "h10", "h11", "h12",
                       "50", "h14", "2", "2"},
                      changed);
}

// Eight data lines of sample k, named by their column: C<k>, E<k> ...
Lines nucleic_acid_sample(int k) {
  return named_by_columns("CEGIKMOQ", k);
}

// Lines 1 to 20 of a nucleic acid dye file; `changed` replaces lines by number.
Lines nucleic_acid_dye_header(const Changes& changed = {}) {
  return with_changes({"5",   "0",   "3",   "CY3-aRNA", "7",  "1",   "0",      "h8",   "h9", "h10",
                       "h11", "h12", "h13", "40",       "10", "550", "150000", "0.08", "2",  "2"},
                      changed);
}

// Eleven data lines of sample k, named by their column: C<k>, E<k> ...
Lines nucleic_acid_dye_sample(int k) {
  return named_by_columns("CEGIKMOQSUW", k);
}

const SampleTableLayout nucleic_acid{
    .name = "NucleicAcid",
    .file_name = "run.NUC",
    .header = nucleic_acid_header,
    .sample = nucleic_acid_sample,
    .samples_with_header_changes = 2,
    .header_block =
        {
            {1, "Method", 22, with_blanks("dsDNA", 35)},
            {2, "Time & Date", 22, any_date},
            {3, separator(69), 70, nothing},
            {4, "Sample Group Name", 22, "PUC19-PR"},
            {5, "Pathlength(mm)", 22, 10.0},
            {6, "Dilution Factor", 22, 50.0},
            {7, "Background", 22, "On"},
            {8, "Factor", 22, 50.0},
            {9, "Unit", 23, "ng/ul"},
            {10, "", 70, nothing},
        },
    .blank_row = 10,
    .heading_row = 11,
    .headings = {{A, "Data No.    "},
                 {C, "Sample No.  "},
                 {E, "A230 "},
                 {G, "A260 "},
                 {I, "A280 "},
                 {K, "A320 "},
                 {M, "A260/A280"},
                 {O, "A260/A230"},
                 {Q, "Concentration"}},
    .rule = separator(156),
    .fonts =
        {
            {{1, A, 9, C}, bold},
            {{1, D, 1, D}, plain},
            {{10, A, 10, A}, plain},
            {{11, A, 11, Z}, bold},
            {{12, A, 12, A}, plain},
            {{13, C, 13, C}, plain},
        },
    .first_data_row = 13,
    .sample_columns =
        {{C, "C"}, {E, "E"}, {G, "G"}, {I, "I"}, {K, "K"}, {M, "M"}, {O, "O"}, {Q, "Q"}},
    .full_samples = 2,
    .partial = {1, {"C2", "E2", "G2"}, {{14, G, "G2"}, {14, I, nothing}, {14, A, 2.0}}},
    .count_line = 16,
    .counts =
        {
            {"none counted still places the data lines",
             {"0", "", "n"},
             2,
             {{13, A, nothing}, {14, A, nothing}, {13, C, "C1"}, {14, Q, "Q2"}}},
            {"two counted with three samples of data",
             {"2"},
             3,
             {{13, A, 1.0}, {14, A, 2.0}, {15, A, nothing}, {15, C, "C3"}, {15, Q, "Q3"}}},
            // The last data row N + 12 is rounded: 14.5 gives 14, 15.5 gives 16.
            {"the row 14.5 halves to even", {"2.5"}, 2, {{14, A, 2.0}, {15, A, nothing}}},
            {"the row 15.5 halves to even", {"3.5"}, 2, {{16, A, 4.0}, {17, A, nothing}}},
        },
    .long_lines = {{2, "123456789", G, 12345678.0}, {7, "2265.0000", Q, 2265.0}},
    .codes = {{"sample type",
               3,
               1,
               {{"1", with_blanks("dsDNA", 35)},
                {"2", with_blanks("ssDNA", 35)},
                {"3", with_blanks("RNA", 35)},
                {"4", with_blanks("OLIGO", 35)},
                {"2.0", with_blanks("ssDNA", 35)}}},
              {"background",
               7,
               7,
               // Only a first character "0" is On.
               {{"0", "On"},
                {"05", "On"},
                {"0ff", "On"},
                {"1", "Off"},
                {"", "Off"},
                {" 0", "Off"},
                {"2", "Off"}}},
              {"path length",
               5,
               5,
               {{"3", 0.5},
                {"4", 1.0},
                {"10000", 10.0},
                {"none", 0.1},
                {"10001", nothing},
                {"-1", nothing},
                {"0.5", nothing}}},
              {"unit",
               15,
               9,
               {{"0", "ug/ml"},
                {"1", "ug/ul"},
                {"2", "ng/ul"},
                {"3", "mg/ml"},
                {"4", "mol/ul"},
                {"unit", "ug/ml"},
                {"5", nothing},
                {"3.5", nothing}}}},
    // Lines 11 to 16 of the header pass read line 10 again.
    .short_file = {10,
                   "3",
                   {{8, D, 3.0},
                    {9, D, "mg/ml"},
                    {13, A, 1.0},
                    {14, A, 2.0},
                    {15, A, 3.0},
                    {13, C, nothing}}},
};

const SampleTableLayout nucleic_acid_dye{
    .name = "NucleicAcidDye",
    .file_name = "dye.NUC",
    .header = nucleic_acid_dye_header,
    .sample = nucleic_acid_dye_sample,
    .samples_with_header_changes = 1,
    .header_block =
        {
            {1, "Method", 22, with_blanks("RNA-DYE", 35)},
            {2, "Time & Date", 22, any_date},
            {3, separator(69), 70, nothing},
            {4, "Sample Group Name", 22, "CY3-aRNA"},
            {5, "Pathlength(mm)", 22, 10.0},
            {6, "Dilution Factor", 22, 1.0},
            {7, "Background", 22, "On"},
            {8, "Factor", 22, 40.0},
            {9, "Unit", 22, "ng/ul"},
            {10, "Dye Type", 23, "Cy3"},
            {11, "Dye OD Max", 21, 550.0},
            {12, "Dye Ext Coefficient", 21, 150000.0},
            {13, "Dye Correction", 21, 0.08},
            {14, "", 70, nothing},
        },
    .blank_row = 14,
    .heading_row = 15,
    .headings = {{A, "Data No.    "},
                 {C, "Sample No.  "},
                 {E, "A230 "},
                 {G, "A260 "},
                 {I, "A280 "},
                 {K, "A320 "},
                 {M, "Dye  "},
                 {O, "A260/A280"},
                 {Q, "A260/A230"},
                 {S, "Concentration"},
                 {U, "Dye-Concentration"},
                 {W, "Frequency of incorporation"}},
    .rule = separator(210),
    .fonts =
        {
            {{1, A, 13, C}, bold},
            {{1, D, 1, D}, plain},
            {{14, A, 14, A}, plain},
            {{15, A, 15, X}, bold},
            {{15, Y, 15, Y}, plain},
            {{16, A, 16, A}, plain},
            {{17, C, 17, C}, plain},
        },
    .first_data_row = 17,
    .sample_columns = {{C, "C"},
                       {E, "E"},
                       {G, "G"},
                       {I, "I"},
                       {K, "K"},
                       {M, "M"},
                       {O, "O"},
                       {Q, "Q"},
                       {S, "S"},
                       {U, "U"},
                       {W, "W"}},
    .full_samples = 1,
    .partial = {2,
                {"C3"},
                {{18, W, "W2"}, {18, A, 2.0}, {19, A, nothing}, {19, C, "C3"}, {19, E, nothing}}},
    .count_line = 20,
    .counts =
        {
            {"none counted still places the data lines",
             {"0"},
             2,
             {{17, A, nothing}, {18, A, nothing}, {17, C, "C1"}, {18, W, "W2"}}},
            // The last data row N + 16 is rounded: 18.5 gives 18, 19.5 gives 20.
            {"the row 18.5 halves to even", {"2.5"}, 1, {{18, A, 2.0}, {19, A, nothing}}},
            {"the row 19.5 halves to even", {"3.5"}, 1, {{20, A, 4.0}, {21, A, nothing}}},
        },
    .long_lines = {{10, "20.1723456", W, 20.17234}},
    .codes = {{"sample type",
               3,
               1,
               {{"1", with_blanks("dsDNA-DYE", 35)},
                {"2", with_blanks("ssDNA-DYE", 35)},
                {"3", with_blanks("RNA-DYE", 35)},
                {"4", with_blanks("OLIGO-DYE", 35)}}},
              {"background",
               7,
               7,
               {{"0", "On"}, {"0.0", "On"}, {"1", "Off"}, {"", "Off"}, {"x0", "Off"}}},
              {"dye",
               15,
               10,
               {{"13", "Cy5.5"},
                {"20", "Texas Red"},
                {"0", "A.F.350"},
                {"21", "Custom"},
                {"10.0", "Cy3"},
                {"none", "A.F.350"},
                {"22", nothing},
                {"-1", nothing}}},
              {"path length", 5, 5, {{"2", 0.2}, {"20000", nothing}}},
              {"unit",
               19,
               9,
               // Code 4 has no text in this report ("mol/ul" in the plain report).
               {{"0", "ug/ml"},
                {"1", "ug/ul"},
                {"2", "ng/ul"},
                {"3", "mg/ml"},
                {"u", "ug/ml"},
                {"4", nothing},
                {"5", nothing}}}},
    // Lines 18 to 20 of the header pass read line 17 again.
    .short_file = {17,
                   "1",
                   {{12, D, 1.0},
                    {13, D, 1.0},
                    {9, D, "ug/ul"},
                    {17, A, 1.0},
                    {18, A, nothing},
                    {17, C, nothing}}},
};

INSTANTIATE_TEST_SUITE_P(NucleicAcid, SampleTableReport,
                         ::testing::Values(nucleic_acid, nucleic_acid_dye), layout_name);

// What only one of the two reports does.
class NucleicAcidReport : public ConversionTest {
 protected:
  Conversion convert(const Lines& lines, const std::string& name = "run.NUC") {
    return convert_lines(lines, name);
  }
  ReportSheet sheet_of(const Changes& changed) {
    return convert(nucleic_acid_header(changed) + nucleic_acid_sample(1) + nucleic_acid_sample(2))
        .sheet;
  }
  Problem refused(const Lines& lines) {
    Problem p = test::refusal(convert_export_file(write_export(dir_, "refused.NUC", lines)));
    EXPECT_EQ(p.kind, ProblemKind::no_report);
    return p;
  }
};

TEST_F(NucleicAcidReport, HeaderValuesThatSelectNoReportAreRefusedAtTheirLine) {
  const std::string type = "; a nucleic acid file has its sample type there, 1 to 4";
  Problem c = refused(nucleic_acid_header({{3, "5"}}) + nucleic_acid_sample(1));
  EXPECT_EQ(c.line, 3);
  EXPECT_EQ(problem_text(c), "line 3 holds \"5\"" + type);
  c = refused(nucleic_acid_header({{3, "2.5"}}) + nucleic_acid_sample(1));
  EXPECT_EQ(problem_text(c), "line 3 holds \"2.5\"" + type);

  const std::string kind = "; a nucleic acid file starts with 1 or 5";
  c = refused(nucleic_acid_header({{1, "2"}}) + nucleic_acid_sample(1));
  EXPECT_EQ(c.line, 1);
  EXPECT_EQ(problem_text(c), "line 1 holds \"2\"" + kind);
  // Line 1 is judged first, whatever line 3 holds.
  c = refused(nucleic_acid_header({{1, "DNA"}, {3, "0"}}) + nucleic_acid_sample(1));
  EXPECT_EQ(problem_text(c), "line 1 holds \"DNA\"" + kind);
}

TEST_F(NucleicAcidReport, EmptyFileIsRefusedAsEmpty) {
  Problem p = test::refusal(convert_export_file(write_export(dir_, "empty.NUC", {})));
  EXPECT_EQ(p.kind, ProblemKind::empty_file);
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

TEST_F(NucleicAcidReport, LowerCaseExtension) {
  ReportSheet s = convert(nucleic_acid_header() + nucleic_acid_sample(1), "lower.nuc").sheet;
  EXPECT_EQ(text_at(s, 1, D), with_blanks("dsDNA", 35));
}

TEST_F(NucleicAcidReport, NothingReachesTheNextConversion) {
  EXPECT_EQ(number_at(sheet_of({{5, "5"}}), 5, D), 2.0);
  ReportSheet second =
      convert(nucleic_acid_header({{5, "-2"}}) + nucleic_acid_sample(1), "next.NUC").sheet;
  EXPECT_TRUE(is_empty(second, 5, D));
}

class NucleicAcidDyeReport : public ConversionTest {
 protected:
  Conversion convert(const Lines& lines) { return convert_lines(lines, "dye.NUC"); }
  ReportSheet sheet_of(const Changes& changed) {
    return convert(nucleic_acid_dye_header(changed) + nucleic_acid_dye_sample(1)).sheet;
  }
};

TEST_F(NucleicAcidDyeReport, MethodIsTheSampleTypeAnd35Blanks) {
  ReportSheet s =
      convert(nucleic_acid_dye_header() + nucleic_acid_dye_sample(1) + nucleic_acid_dye_sample(2))
          .sheet;
  EXPECT_EQ(text_at(s, 1, D), with_blanks("RNA-DYE", 35));
  EXPECT_EQ(text_at(s, 1, D).value_or("").size(), 42u);
}

TEST_F(NucleicAcidDyeReport, OtherSampleTypeSelectsNoReport) {
  Result<Conversion> c = convert_export_file(write_export(
      dir_, "x.NUC", nucleic_acid_dye_header({{3, "0"}}) + nucleic_acid_dye_sample(1)));
  ASSERT_FALSE(c.ok());
  EXPECT_EQ(c.error().kind, ProblemKind::no_report);
  EXPECT_EQ(c.error().line, 3);
  EXPECT_EQ(problem_text(c.error()),
            "line 3 holds \"0\"; a nucleic acid file has its sample type there, 1 to 4");
}

TEST_F(NucleicAcidDyeReport, LinesOfThisLayoutNotThePlainOne) {
  // Line 13 is the plain report's factor; here it is read and not shown.
  ReportSheet s = sheet_of({{13, "99"}, {14, "33"}, {16, "650"}, {17, "250000"}, {18, "0.05"}});
  EXPECT_EQ(number_at(s, 8, D), 33.0);
  EXPECT_EQ(number_at(s, 11, D), 650.0);
  EXPECT_EQ(number_at(s, 12, D), 250000.0);
  EXPECT_EQ(number_at(s, 13, D), 0.05);
}

}  // namespace
}  // namespace ordelix::test
