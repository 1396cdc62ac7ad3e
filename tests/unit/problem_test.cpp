#include <cerrno>
#include <string>

#include <gtest/gtest.h>

#include "base/problem.h"

namespace ordelix {
namespace {

TEST(ProblemKinds, WarningsAreNoErrors) {
  for (ProblemKind kind :
       {ProblemKind::rows_beyond_limit, ProblemKind::count_beyond_file,
        ProblemKind::lines_after_data, ProblemKind::not_a_number, ProblemKind::code_outside_table,
        ProblemKind::file_shorter_than_header, ProblemKind::header_not_read,
        ProblemKind::time_out_of_range, ProblemKind::unicode_text})
    EXPECT_FALSE(Problem(kind).is_error()) << static_cast<int>(kind);
  for (ProblemKind kind : {ProblemKind::no_extension, ProblemKind::no_report,
                           ProblemKind::empty_file, ProblemKind::stdout_failed,
                           ProblemKind::zip_entry_not_xml, ProblemKind::refused_for_warnings,
                           ProblemKind::changed_while_read, ProblemKind::cannot_watch_folder})
    EXPECT_TRUE(Problem(kind).is_error()) << static_cast<int>(kind);
}

// The converter names the report's file after these, the export file's after the rest.
TEST(ProblemKinds, SomeConcernTheReportsFile) {
  for (ProblemKind kind :
       {ProblemKind::target_exists, ProblemKind::target_in_use, ProblemKind::cannot_create_folder,
        ProblemKind::write_failed, ProblemKind::zip_cut_short, ProblemKind::cannot_place,
        ProblemKind::existing_report_incomplete, ProblemKind::existing_report_unreadable,
        ProblemKind::existing_report_differs, ProblemKind::target_name_refused})
    EXPECT_TRUE(problem_concerns_target(kind)) << static_cast<int>(kind);
  for (ProblemKind kind :
       {ProblemKind::cannot_open, ProblemKind::no_report, ProblemKind::refused_for_warnings,
        ProblemKind::stdout_failed, ProblemKind::not_a_number, ProblemKind::changed_while_read,
        ProblemKind::cannot_watch_folder})
    EXPECT_FALSE(problem_concerns_target(kind)) << static_cast<int>(kind);
}

// Every problem is worded from what it carries, nowhere else.
TEST(ProblemWording, SaysWhatItCarries) {
  EXPECT_EQ(problem_text(folder_not_created("out/day\x1b", EACCES)),
            "cannot create the report's folder out/day\\x1b: Permission denied");
  EXPECT_EQ(problem_text(folder_not_created("out/\x1b[2J", ENOTDIR)),
            "cannot create the report's folder out/\\x1b[2J: Not a directory");
  EXPECT_EQ(problem_text(refusal_for_warnings(1)), "not converted: 1 warning under --strict");
  EXPECT_EQ(problem_text(refusal_for_warnings(3)), "not converted: 3 warnings under --strict");
  EXPECT_EQ(problem_text(Problem(ProblemKind::write_failed, ENOSPC)),
            "writing the report failed: No space left on device");
  EXPECT_EQ(problem_text(workbook_library_failure("Error creating output xlsx file.")),
            "writing the report failed: Error creating output xlsx file.");
  EXPECT_EQ(problem_text(zip_entry_fault(ProblemKind::zip_entry_bad_checksum, "xl/styles.xml")),
            "the finished workbook failed its check (xl/styles.xml fails its checksum)");
  EXPECT_EQ(problem_text(Problem(ProblemKind::zip_cut_short)),
            "the finished workbook failed its check (a zip cut short)");
  EXPECT_EQ(problem_text(Problem(ProblemKind::existing_report_incomplete)),
            "the existing report is not complete");
  EXPECT_EQ(problem_text(Problem(ProblemKind::existing_report_unreadable, EACCES)),
            "cannot read the existing report: Permission denied");
  Problem differs(ProblemKind::existing_report_differs);
  EXPECT_EQ(problem_text(differs),
            "the existing report is not this file's report as it converts now");
  differs.counts[0] = 3;
  EXPECT_EQ(problem_text(differs),
            "the existing report does not hold these 3 files as they convert now");
  EXPECT_EQ(problem_text(Problem(ProblemKind::no_extension)), "the name has no extension");
  EXPECT_EQ(problem_text(Problem(ProblemKind::changed_while_read)),
            "the file changed while it was read; no report is made from part of a file");
  EXPECT_EQ(problem_text(Problem(ProblemKind::cannot_watch_folder, EACCES)),
            "cannot watch the folder: Permission denied");
  EXPECT_EQ(problem_text(Problem(ProblemKind::cannot_watch_folder, ENOSPC)),
            "cannot watch the folder: the system's limit of watched folders "
            "(fs.inotify.max_user_watches) is reached; it is looked through every --poll "
            "seconds still");
  EXPECT_EQ(problem_text(Problem(ProblemKind::no_mode)),
            "the extension names no measurement mode (PRO, NUC, CON, PHT, OD, TSC, TM, WSC)");
  EXPECT_EQ(problem_text(not_a_number_warning(5, "12mm", true, 12.0)),
            "holds \"12mm\", a number with more after it; read as 12");
  EXPECT_EQ(problem_text(not_a_number_warning(5, "ten", false, "the path length stays empty")),
            "holds \"ten\", which is no number; the path length stays empty");
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
  EXPECT_EQ(problem_text(unicode_text_warning("UTF-8", 2)),
            "the file is UTF-8 text, not the instrument's Windows-1252; read as that text, with "
            "\"?\" for 2 characters that Windows-1252 lacks or that do not decode");
}

TEST(ProblemWording, TheLineIsTheProblemsOwn) {
  EXPECT_EQ(count_beyond_file_warning(14, 1, "sample", 4, 3).line, 14);
  EXPECT_EQ(lines_after_data_warning(18, 2).line, 18);
  EXPECT_EQ(file_shorter_than_header_warning(10, 13).line, 10);
  EXPECT_EQ(file_shorter_than_header_warning(0, 13).line, 0);
  EXPECT_EQ(refusal_of_line(3, std::nullopt, "x").line, 3);
  EXPECT_EQ(unicode_text_warning("UTF-8", 1).line, 0);  // of the whole file
  EXPECT_EQ(problem_text(refusal_of_line(3, std::nullopt, "x")), "the file has no line 3; x");
}

}  // namespace
}  // namespace ordelix
