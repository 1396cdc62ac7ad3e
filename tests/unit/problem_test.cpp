#include <string>

#include <gtest/gtest.h>

#include "base/problem.h"

namespace ordelix {
namespace {

TEST(ProblemKinds, WarningsAreNoErrors) {
  for (ProblemKind kind :
       {ProblemKind::rows_beyond_limit, ProblemKind::count_beyond_file,
        ProblemKind::lines_after_data, ProblemKind::not_a_number, ProblemKind::code_outside_table,
        ProblemKind::file_shorter_than_header, ProblemKind::header_not_read})
    EXPECT_FALSE(Problem(kind).is_error()) << static_cast<int>(kind);
  EXPECT_TRUE(Problem(ProblemKind::no_report).is_error());
}

// Lines are quoted as a report shows them: Windows-1252 in, UTF-8 out.
TEST(ProblemQuote, ShowsTheLineAsTheReportDoes) {
  EXPECT_EQ(problem_text(refusal_of_line(1, "CAF\xC9 \x80", "x")),
            "line 1 holds \"CAF\xC3\x89 \xE2\x82\xAC\"; x");
}

TEST(ProblemQuote, EscapesWhatATerminalWouldActOn) {
  EXPECT_EQ(problem_text(refusal_of_line(1, std::string("a\tb\"c\\\x1B[2J\x7F\x81"), "x")),
            "line 1 holds \"a\\x09b\\\"c\\\\\\x1B[2J\\x7F\\x81\"; x");
  EXPECT_EQ(problem_text(refusal_of_line(1, std::string("\0", 1), "x")),
            "line 1 holds \"\\x00\"; x");
}

TEST(ProblemQuote, CutsLongLines) {
  std::string forty(40, 'x');
  EXPECT_EQ(problem_text(not_a_number_warning(3, forty, false, "read as 0")),
            "holds \"" + forty + "\", which is no number; read as 0");
  EXPECT_EQ(problem_text(not_a_number_warning(3, forty + "yz", false, "read as 0")),
            "holds \"" + forty + "...\", which is no number; read as 0");
}

TEST(ProblemWording, CountsAgreeWithTheirNouns) {
  EXPECT_EQ(problem_text(values_beyond_limit_warning(9, 1, 32767)),
            "1 value beyond row 32767 was left out");
  EXPECT_EQ(problem_text(values_beyond_limit_warning(9, 2, 32767)),
            "2 values beyond row 32767 were left out");
  EXPECT_EQ(problem_text(rows_beyond_limit_warning(13, 1, 32767)),
            "1 row beyond row 32767 was left out");
  EXPECT_EQ(problem_text(rows_beyond_limit_warning(13, 5, 100)),
            "5 rows beyond row 100 were left out");
  EXPECT_EQ(problem_text(count_beyond_file_warning(14, 1, "sample", 4, 3)),
            "says 1 sample (4 values); the file holds 3");
  EXPECT_EQ(problem_text(count_beyond_file_warning(8, 2, "wavelength", 1, 1)),
            "says 2 wavelengths; the file holds 1");
  EXPECT_EQ(problem_text(header_not_read_warning(16, 16, 16)),
            "a file of 16 lines gets its header read to line 15 only, so line 16 is not in the "
            "report");
}

TEST(ProblemWording, TheLineIsTheProblemsOwn) {
  EXPECT_EQ(count_beyond_file_warning(14, 1, "sample", 4, 3).line, 14);
  EXPECT_EQ(lines_after_data_warning(18, 2).line, 18);
  EXPECT_EQ(file_shorter_than_header_warning(10, 13).line, 10);
  EXPECT_EQ(file_shorter_than_header_warning(0, 13).line, 0);
  EXPECT_EQ(refusal_of_line(3, std::nullopt, "x").line, 3);
  EXPECT_EQ(problem_text(refusal_of_line(3, std::nullopt, "x")), "the file has no line 3; x");
}

}  // namespace
}  // namespace ordelix
