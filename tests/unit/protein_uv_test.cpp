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

// Lines 1 to 24 of a protein UV file; `changed` replaces lines by number.
Lines uv_header(const Changes& changed = {}) {
  return with_changes(
      {"6",    "0", "1",   "BSA-STOCK", "7",   "10",  "0",   "h8",  "h9",  "h10", "h11", "1.55",
       "0.76", "0", "h15", "h16",       "h17", "h18", "h19", "h20", "h21", "h22", "3",   "2"},
      changed);
}

// Six data lines of sample k: s<k>, a<k>, b<k>, c<k>, fifth<k>, ratio<k>.
Lines uv_sample(int k) {
  return {numbered("s", k), numbered("a", k),     numbered("b", k),
          numbered("c", k), numbered("fifth", k), numbered("ratio", k)};
}

// Lines 1 to 25 of a protein UV dye file; `changed` replaces lines by number.
Lines uv_dye_header(const Changes& changed = {}) {
  return with_changes({"6",   "0",      "2",   "IGG-AF488", "7",    "1", "1",   "h8",  "h9",
                       "h10", "h11",    "h12", "1.55",      "0.76", "3", "h16", "h17", "h18",
                       "1",   "210000", "494", "71000",     "0.11", "3", "2"},
                      changed);
}

// Nine data lines of sample k, named by their column: C<k>, E<k> ...
Lines uv_dye_sample(int k) {
  return named_by_columns("CEGIKMOQS", k);
}

const SampleTableLayout uv{
    .name = "Uv",
    .file_name = "uv.PRO",
    .header = uv_header,
    .sample = uv_sample,
    .samples_with_header_changes = 2,
    .header_block =
        {
            {1, "Method", 22, "PROTEIN UV "},
            {2, "Time & Date", 22, any_date},
            {3, separator(71), 72, nothing},
            {4, "Sample Group Name", 22, "BSA-STOC"},
            {5, "Pathlength(mm)", 22, 10.0},
            {6, "DI Factor", 22, 10.0},
            {7, "Background", 22, "On"},
            {8, "A280 Factor", 22, 1.55},
            {9, "A260 Factor", 22, 0.76},
            {10, "Protein", 22, "BSA"},
            {11, "Unit", 22, "mg/ml"},
            {12, "", 76, nothing},
        },
    .blank_row = 12,
    .heading_row = 13,
    .headings = {{A, "Data No.   "},
                 {C, "Sample No. "},
                 {E, "A260 "},
                 {G, "A280"},
                 {I, "A320"},
                 {K, "A280/A260"}},
    .rule = std::string(105, '-'),
    .fonts =
        {
            {{1, A, 11, C}, bold},
            {{1, D, 1, D}, plain},
            {{12, A, 12, A}, plain},
            {{13, A, 13, L}, bold},
            {{13, M, 13, M}, plain},
            {{14, A, 14, A}, plain},
            {{15, C, 15, C}, plain},
        },
    .first_data_row = 15,
    // The fifth line of a sample is shown nowhere.
    .sample_columns = {{C, "s"}, {E, "a"}, {G, "b"}, {I, "c"}, {K, "ratio"}},
    .full_samples = 2,
    .partial = {1,
                {"s2", "a2", "b2"},
                {{16, C, "s2"}, {16, E, "a2"}, {16, G, "b2"}, {16, I, nothing}, {16, K, nothing}}},
    .count_line = 24,
    .counts =
        {
            {"none counted still places the data lines",
             {"0", "", "none"},
             2,
             {{15, A, nothing}, {16, A, nothing}, {15, C, "s1"}, {16, K, "ratio2"}}},
            {"more samples than counted are all placed",
             {"1"},
             3,
             {{15, A, 1.0}, {16, A, nothing}, {17, A, nothing}, {17, C, "s3"}, {17, K, "ratio3"}}},
            {"fewer samples than counted leave rows without values",
             {"4"},
             1,
             {{15, A, 1.0}, {16, A, 2.0}, {17, A, 3.0}, {18, A, 4.0}, {16, C, nothing}},
             18},
            // The last data row N + 14 is rounded: 16.5 gives 16, 17.5 gives 18.
            {"the row 16.5 halves to even", {"2.5"}, 2, {{16, A, 2.0}, {17, A, nothing}}},
            {"the row 17.5 halves to even", {"3.5"}, 2, {{18, A, 4.0}, {19, A, nothing}}},
        },
    .long_lines = {{1, "123456789", E, 12345678.0}, {5, "1.8051234", K, 1.805123}},
    .codes = {{"background",
               7,
               7,
               // A line that is no number is 0.
               {{"0", "On"},
                {"1", "Off"},
                {"1.0", "Off"},
                {"off", "On"},
                {"2", nothing},
                {"0.5", nothing}}},
              {"protein",
               14,
               10,
               {{"0", "BSA"},
                {"1", "Serum AL(M)"},
                {"2", "Serum AL(H)"},
                {"3", "lgG(M)"},
                {"4", "Lysozyme(C)"},
                {"5", "Molar Ext C"},
                {"6", "Ext Coeff."},
                {"x", "BSA"},
                {"7", nothing},
                {"-1", nothing}}},
              {"unit",
               23,
               11,
               {{"0", "ug/ml"},
                {"1", "ug/ul"},
                {"2", "ng/ul"},
                {"3", "mg/ml"},
                {"4", "mol/ul"},
                {"unit", "ug/ml"},
                {"5", nothing},
                {"15", nothing}}},
              {"path length",
               5,
               5,
               {{"x", 0.1},
                {"3", 0.5},
                {"10000", 10.0},
                {"-1", nothing},
                {"2.5", nothing},
                {"10001", nothing}}}},
    // Lines 14 to 24 of the header pass read line 13 again.
    .short_file = {13,
                   "3",
                   {{9, D, 3.0},
                    {10, D, "lgG(M)"},
                    {11, D, "mg/ml"},
                    {15, A, 1.0},
                    {16, A, 2.0},
                    {17, A, 3.0},
                    {15, C, nothing}},
                   17},
};

std::vector<HeaderCode> dye_codes() {
  const char* names[] = {"A.F.350",    "A.F.488",    "A.F.532",    "A.F.546",    "A.F.555",
                         "A.F.568",    "A.F.594",    "A.F.647",    "A.F.660",    "A.F.680",
                         "Cy3",        "Cy3.5",      "Cy5",        "Cy5.5",      "Oyster-500",
                         "Oyster-550", "Oyster-556", "Oyster-645", "Oyster-650", "Oyster-656",
                         "Texas Red",  "Custom"};
  std::vector<HeaderCode> codes;
  for (int code = 0; code <= 21; ++code) codes.push_back({std::to_string(code), names[code]});
  const std::vector<HeaderCode> read_otherwise{
      {"10.0", "Cy3"},  // compared as a number
      {" 14", "Oyster-500"}, {"dye", "A.F.350"}, {"22", nothing}, {"10.5", nothing},
  };
  codes.insert(codes.end(), read_otherwise.begin(), read_otherwise.end());
  return codes;
}

const SampleTableLayout uv_dye{
    .name = "UvDye",
    .file_name = "uvdye.PRO",
    .header = uv_dye_header,
    .sample = uv_dye_sample,
    .samples_with_header_changes = 1,
    .header_block =
        {
            {1, "Method", 22, "PROTEIN UV DYE"},
            {2, "Time & Date", 22, any_date},
            {3, separator(71), 72, nothing},
            {4, "Sample Name", 22, "IGG-AF48"},
            {5, "Pathlength(mm)", 22, 10.0},
            {6, "DI Factor", 22, 1.0},
            {7, "Background", 22, "Off"},
            {8, "A280 Factor", 22, 1.55},
            {9, "A260 Factor", 22, 0.76},
            {10, "Protein", 22, "lgG(M)"},
            {11, "Dye Type", 22, "A.F.488"},
            {12, "Pro Ext Coefficient", 22, 210000.0},
            {13, "Dye OD Max", 22, 494.0},
            {14, "Dye Ext Coeff", 22, 71000.0},
            {15, "Dye Correct", 22, 0.11},
            {16, "Unit", 22, "mg/ml"},
            {17, "", 76, nothing},
        },
    .blank_row = 17,
    .heading_row = 18,
    .headings = {{A, "Data No."},
                 {C, "Sample No."},
                 {E, "A260 "},
                 {G, "A280"},
                 {I, "A320"},
                 {K, "Dye   "},
                 {M, "A260/A280"},
                 {O, "Concentration"},
                 {Q, "Dye-Concentration"},
                 {S, "Degree of labelling"}},
    .rule = std::string(184, '-'),
    .fonts =
        {
            {{1, A, 16, C}, bold},
            {{1, D, 1, D}, plain},
            {{17, A, 17, A}, plain},
            // Only the header labels are bold: the heading row keeps the
            // sheet-wide plain font.
            {{18, A, 18, T}, plain},
            {{20, C, 20, C}, plain},
        },
    .first_data_row = 20,
    .sample_columns =
        {{C, "C"}, {E, "E"}, {G, "G"}, {I, "I"}, {K, "K"}, {M, "M"}, {O, "O"}, {Q, "Q"}, {S, "S"}},
    .full_samples = 2,
    .partial = {1, {"C2", "E2"}, {{21, C, "C2"}, {21, E, "E2"}, {21, G, nothing}}},
    .count_line = 25,
    .counts =
        {
            {"none counted still places the data lines",
             {"0"},
             2,
             {{20, A, nothing}, {21, A, nothing}, {20, C, "C1"}, {21, S, "S2"}}},
            {"more samples than counted are all placed",
             {"1"},
             2,
             {{20, A, 1.0}, {21, A, nothing}, {21, S, "S2"}}},
            // The last data row N + 19 is rounded: 21.5 gives 22, three data
            // numbers (rounding N alone would give two).
            {"the row 21.5 halves to even", {"2.5"}, 1, {{22, A, 3.0}, {23, A, nothing}}},
            {"the row 20.5 halves to even", {"1.5"}, 1, {{20, A, 1.0}, {21, A, nothing}}},
        },
    .long_lines = {{4, "0.56612345", K, 0.566123}, {8, "DOL-TOO-LONG", S, "DOL-TOO-"}},
    .codes = {{"dye", 19, 11, dye_codes()},
              {"unit",
               24,
               16,
               {{"0", "ug/ml"}, {"1", "ug/ul"}, {"2", "ng/ul"}, {"3", "mg/ml"}, {"4", "mol/ul"}}},
              {"path length", 5, 5, {{"1", 0.125}, {"6.5", nothing}}}},
    // Lines 21 to 25 of the header pass read line 20 again.
    .short_file = {20,
                   "2",
                   {{12, D, 2.0},
                    {15, D, 2.0},
                    {16, D, "ng/ul"},
                    {21, A, 2.0},
                    {22, A, nothing},
                    {20, C, nothing}}},
};

INSTANTIATE_TEST_SUITE_P(ProteinUv, SampleTableReport, ::testing::Values(uv, uv_dye), layout_name);

// What only one of the two reports does.
class ProteinUvReport : public ConversionTest {
 protected:
  Conversion convert(const Lines& lines, const std::string& name = "uv.PRO") {
    return convert_lines(lines, name);
  }
  ReportSheet sheet_of(const Changes& changed) {
    return convert(uv_header(changed) + uv_sample(1) + uv_sample(2)).sheet;
  }
};

TEST_F(ProteinUvReport, FifthLineOfAFullSampleIsShownNowhere) {
  ReportSheet s = convert(uv_header() + uv_sample(1) + uv_sample(2)).sheet;
  EXPECT_FALSE(shows_text_starting_with(s, "fifth"));
}

TEST_F(ProteinUvReport, LastSampleOfFiveLinesKeepsItsFifthInColumnK) {
  Lines last = uv_sample(2);
  last.pop_back();
  ReportSheet s = convert(uv_header() + uv_sample(1) + last).sheet;
  EXPECT_EQ(text_at(s, 15, K), "ratio1");
  EXPECT_EQ(text_at(s, 16, I), "c2");
  EXPECT_EQ(text_at(s, 16, K), "fifth2");
  EXPECT_EQ(s.last_row(), 16);
}

TEST_F(ProteinUvReport, OtherVariantSelectsNoReport) {
  Result<Conversion> c =
      convert_export_file(write_export(dir_, "three.PRO", uv_header({{3, "3"}}) + uv_sample(1)));
  ASSERT_FALSE(c.ok());
  EXPECT_EQ(c.error().kind, ProblemKind::no_report);
  EXPECT_EQ(c.error().line, 3);
  EXPECT_EQ(problem_text(c.error()),
            "line 3 holds \"3\"; a protein UV file has 1 (UV) or 2 (UV dye) there");
}

TEST_F(ProteinUvReport, NothingReachesTheNextConversion) {
  ReportSheet first = sheet_of({{5, "6"}});
  EXPECT_EQ(number_at(first, 5, D), 5.0);
  ReportSheet second = convert(uv_header({{5, "-3"}}) + uv_sample(1), "next.PRO").sheet;
  EXPECT_TRUE(is_empty(second, 5, D));
}

class ProteinUvDyeReport : public ConversionTest {
 protected:
  ReportSheet sheet_of(const Changes& changed) {
    return convert_lines(uv_dye_header(changed) + uv_dye_sample(1), "uvdye.PRO").sheet;
  }
};

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

}  // namespace
}  // namespace ordelix::test
