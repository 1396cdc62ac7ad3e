#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion.h"
#include "reports/measurement_modes.h"
#include "test_support.h"

namespace ordelix {
namespace {

using test::is_empty;
using test::number_at;
using test::text_at;

using Lines = std::vector<std::string>;

// A K-factor colorimetric file of 2 samples (22 lines).
Lines k_factor(const std::string& group, const std::string& path_code, const std::string& unit) {
  return {"2",    "0",   "2", group, path_code, "1",     unit,   "0", "1",     "1",     "750",
          "0.05", "2.5", "2", "1",   "0.321",   "0.321", "0.85", "2", "0.467", "0.467", "1.21"};
}

// A standard-curve file of 9 standards and 3 samples (45 lines: every header field read).
Lines nine_standards(const std::string& group, const std::string& path_code) {
  Lines lines{"2", "0", "1", group, path_code, "10", "7", "9", "0", "1", "595"};
  for (int i = 1; i <= 9; ++i) {
    lines.push_back(std::to_string(i));
    lines.push_back(test::numbered("0.", i));
  }
  for (const char* v : {"0.02", "1.1", "0.998", "3"}) lines.emplace_back(v);
  for (int k = 0; k < 12; ++k) lines.push_back(test::numbered("0.5", k));
  return lines;
}

// Every cell but the date, which follows each file's own creation time.
void expect_same_cells(const ReportSheet& a, const ReportSheet& b) {
  ASSERT_EQ(a.last_row(), b.last_row());
  for (int row = 1; row <= a.last_row(); ++row) {
    auto ea = a.row_entries(row);
    auto eb = b.row_entries(row);
    ASSERT_EQ(ea.size(), eb.size()) << "row " << row;
    for (std::size_t k = 0; k < ea.size(); ++k) {
      EXPECT_EQ(ea[k].col, eb[k].col) << "row " << row;
      if (row == 2 && ea[k].col == 4) continue;
      EXPECT_TRUE(ea[k].value() == eb[k].value()) << cell_name(row, ea[k].col);
    }
  }
  for (int row = 1; row <= 60; ++row)
    for (int col = 1; col <= 27; ++col)
      EXPECT_EQ(a.font_at(row, col), b.font_at(row, col)) << cell_name(row, col);
}

class ConversionTest : public ::testing::Test {
 protected:
  test::TempDir dir_;
};

TEST_F(ConversionTest, LowerCaseExtensionIsAccepted) {
  Result<Conversion> upper =
      convert_export_file(test::write_export(dir_, "a.PRO", k_factor("X", "4", "3")));
  Result<Conversion> lower =
      convert_export_file(test::write_export(dir_, "b.pro", k_factor("X", "4", "3")));
  ASSERT_TRUE(upper.ok()) << problem_text(upper.error());
  ASSERT_TRUE(lower.ok()) << problem_text(lower.error());
  EXPECT_EQ(text_at(lower->sheet, 1, 4), "LOWRY       ");
  EXPECT_EQ(text_at(lower->sheet, 8, 4), "K FACTOR");
  expect_same_cells(upper->sheet, lower->sheet);
}

TEST_F(ConversionTest, UnknownExtensionIsRefused) {
  Result<Conversion> c =
      convert_export_file(test::write_export(dir_, "run.TXT", k_factor("X", "4", "3")));
  ASSERT_FALSE(c.ok());
  EXPECT_EQ(c.error().kind, ProblemKind::no_mode);
  EXPECT_FALSE(problem_text(c.error()).empty());
}

// A name without an extension is told apart from one whose extension is wrong.
TEST_F(ConversionTest, NameWithoutExtensionIsRefusedAsSuch) {
  for (const char* name : {"REPRO", "run.", "noext", ".PRO"}) {
    Result<Conversion> c =
        convert_export_file(test::write_export(dir_, name, k_factor("X", "4", "3")));
    ASSERT_FALSE(c.ok()) << name;
    EXPECT_EQ(c.error().kind, ProblemKind::no_extension) << name;
  }
  std::filesystem::create_directory(dir_.path() / "day.PRO");
  Result<Conversion> in_dotted_folder =
      convert_export_file(test::write_export(dir_, "day.PRO/run", k_factor("X", "4", "3")));
  ASSERT_FALSE(in_dotted_folder.ok());
  EXPECT_EQ(in_dotted_folder.error().kind, ProblemKind::no_extension);
}

TEST_F(ConversionTest, MissingFileIsRefused) {
  Result<Conversion> c = convert_export_file(dir_.file("absent.PRO"));
  ASSERT_FALSE(c.ok());
  EXPECT_EQ(c.error().kind, ProblemKind::cannot_open);
  EXPECT_FALSE(problem_text(c.error()).empty());
}

TEST_F(ConversionTest, FolderIsRefused) {
  std::filesystem::create_directory(dir_.path() / "folder.PRO");
  Result<Conversion> c = convert_export_file(dir_.file("folder.PRO"));
  ASSERT_FALSE(c.ok());
  EXPECT_EQ(c.error().kind, ProblemKind::is_folder);
  EXPECT_FALSE(problem_text(c.error()).empty());
}

TEST_F(ConversionTest, HeaderThatSelectsNoReportIsRefused) {
  Lines lines = k_factor("X", "4", "3");
  lines[2] = "5";
  Result<Conversion> c = convert_export_file(test::write_export(dir_, "five.PRO", lines));
  ASSERT_FALSE(c.ok());
  EXPECT_EQ(c.error().kind, ProblemKind::no_report);
  EXPECT_EQ(c.error().line, 3);
  EXPECT_EQ(problem_text(c.error()),
            "line 3 holds \"5\"; a protein colorimetric file has 1, 2, 3 or 4 there");

  lines[0] = "6";
  c = convert_export_file(test::write_export(dir_, "six.PRO", lines));
  ASSERT_FALSE(c.ok());
  EXPECT_EQ(c.error().line, 3);
  EXPECT_EQ(problem_text(c.error()),
            "line 3 holds \"5\"; a protein UV file has 1 (UV) or 2 (UV dye) there");

  lines[0] = "abc";
  lines[2] = "1";
  c = convert_export_file(test::write_export(dir_, "abc.PRO", lines));
  ASSERT_FALSE(c.ok());
  EXPECT_EQ(c.error().kind, ProblemKind::no_report);
  EXPECT_EQ(c.error().line, 1);
  EXPECT_EQ(problem_text(c.error()), "line 1 holds \"abc\"; a protein file starts with 2 or 6");
}

// Every mode says so alike, rather than name the first line it misses.
TEST_F(ConversionTest, EmptyFileIsRefusedAsEmpty) {
  for (const MeasurementMode& mode : measurement_modes()) {
    std::string name = "empty." + std::string(mode.extension);
    SCOPED_TRACE(name);
    Result<Conversion> c = convert_export_file(test::write_export(dir_, name, {}));
    ASSERT_FALSE(c.ok());
    EXPECT_EQ(c.error().kind, ProblemKind::empty_file);
    EXPECT_EQ(problem_text(c.error()), "the file is empty");
  }
  // A byte-order mark alone holds no text either.
  std::string marked = dir_.file("marked.TSC");
  test::write_bytes(marked, "\xFF\xFE");
  Result<Conversion> c = convert_export_file(marked);
  ASSERT_FALSE(c.ok());
  EXPECT_EQ(c.error().kind, ProblemKind::empty_file);
  // One empty line is a file, and its report says what it lacks.
  c = convert_export_file(test::write_export(dir_, "blank.PRO", {""}));
  ASSERT_FALSE(c.ok());
  EXPECT_EQ(problem_text(c.error()), "line 1 holds \"\"; a protein file starts with 2 or 6");
}

TEST_F(ConversionTest, EveryLineEndGivesTheSameReport) {
  Lines lines = k_factor("GRP", "4", "3");
  std::string crlf, cr, lf;
  for (const std::string& line : lines) {
    crlf += line + "\r\n";
    cr += line + "\r";
    lf += line + "\n";
  }
  lf.pop_back();  // and a last line without a line end
  test::write_bytes(dir_.file("crlf.PRO"), crlf);
  test::write_bytes(dir_.file("cr.PRO"), cr);
  test::write_bytes(dir_.file("lf.PRO"), lf);
  Result<Conversion> base = convert_export_file(dir_.file("crlf.PRO"));
  ASSERT_TRUE(base.ok()) << problem_text(base.error());
  EXPECT_EQ(text_at(base->sheet, 4, 4), "GRP");
  for (const char* name : {"cr.PRO", "lf.PRO"}) {
    SCOPED_TRACE(name);
    Result<Conversion> other = convert_export_file(dir_.file(name));
    ASSERT_TRUE(other.ok()) << problem_text(other.error());
    expect_same_cells(base->sheet, other->sheet);
  }
}

TEST_F(ConversionTest, EachConversionStartsAfresh) {
  std::string b = test::write_export(dir_, "b.PRO", k_factor("BRAVO", "2.5", "16"));
  Result<Conversion> b_alone = convert_export_file(b);
  ASSERT_TRUE(b_alone.ok()) << problem_text(b_alone.error());

  std::string a = test::write_export(dir_, "a.PRO", nine_standards("ALPHA", "5"));
  Result<Conversion> a_run = convert_export_file(a);
  ASSERT_TRUE(a_run.ok()) << problem_text(a_run.error());
  EXPECT_EQ(number_at(a_run->sheet, 5, 4), 2.0);
  EXPECT_EQ(text_at(a_run->sheet, 7, 4), "mg/l");

  Result<Conversion> b_after = convert_export_file(b);
  ASSERT_TRUE(b_after.ok()) << problem_text(b_after.error());
  EXPECT_TRUE(is_empty(b_after->sheet, 5, 4));
  EXPECT_TRUE(is_empty(b_after->sheet, 7, 4));
  expect_same_cells(b_alone->sheet, b_after->sheet);
}

TEST_F(ConversionTest, ShortFileAfterLongFileKeepsNothingOfIt) {
  Lines short_lines{"2",   "0", "1", "LATER", "4", "2", "3", "1", "0", "1",
                    "595", "x", "x", "x",     "x", "x", "x", "x", "x"};
  std::string b = test::write_export(dir_, "short.PRO", short_lines);
  Result<Conversion> b_alone = convert_export_file(b);
  ASSERT_TRUE(b_alone.ok()) << problem_text(b_alone.error());

  ASSERT_TRUE(
      convert_export_file(test::write_export(dir_, "long.PRO", nine_standards("ALPHA", "5"))).ok());
  Result<Conversion> b_after = convert_export_file(b);
  ASSERT_TRUE(b_after.ok()) << problem_text(b_after.error());
  // Beyond the pre-scan's three lines the short file's header fields are empty.
  EXPECT_EQ(number_at(b_after->sheet, 4, 4), 2.0);
  EXPECT_EQ(text_at(b_after->sheet, 7, 4), "ug/ml");
  EXPECT_TRUE(is_empty(b_after->sheet, 9, 4));
  // No fit of the earlier file in the equation row.
  EXPECT_TRUE(is_empty(b_after->sheet, 14, 1));
  EXPECT_TRUE(is_empty(b_after->sheet, 14, 5));
  expect_same_cells(b_alone->sheet, b_after->sheet);
}

TEST(MeasurementModes, ModeIsNamedByTheExtensionAlone) {
  auto mode_of = [](const char* path) -> std::string {
    const MeasurementMode* mode = measurement_mode_of(path);
    return mode ? std::string(mode->extension) : "none";
  };
  EXPECT_EQ(mode_of("/data/run.PRO"), "PRO");
  EXPECT_EQ(mode_of("run.pro"), "PRO");
  EXPECT_EQ(mode_of("run.Nuc"), "NUC");
  EXPECT_EQ(mode_of("run.CON"), "CON");
  EXPECT_EQ(mode_of("run.PHT"), "PHT");
  EXPECT_EQ(mode_of("run.OD"), "OD");
  EXPECT_EQ(mode_of("run.TSC"), "TSC");
  EXPECT_EQ(mode_of("run.TM"), "TM");
  EXPECT_EQ(mode_of("run.wsc"), "WSC");
  EXPECT_EQ(mode_of("run.OD600"), "none");
  EXPECT_EQ(mode_of("run.TXT"), "none");
  EXPECT_EQ(mode_of("OD"), "none");
  EXPECT_EQ(mode_of("folder.PRO/run"), "none");
  // The right last letters without a dot before them are no extension.
  EXPECT_EQ(mode_of("REPRO"), "none");
  EXPECT_EQ(mode_of("run.APRO"), "none");
  EXPECT_EQ(mode_of("METHOD"), "none");
  EXPECT_EQ(mode_of("run.PRO.bak"), "none");
  // A leading dot hides a file without giving it an extension.
  EXPECT_EQ(mode_of(".PRO"), "none");
  EXPECT_EQ(mode_of("data/.PRO"), "none");
  EXPECT_EQ(mode_of("data/.hidden.PRO"), "PRO");
  EXPECT_EQ(mode_of("run.PRO."), "none");
}

TEST(MeasurementModes, ExtensionIsWhatFollowsTheLastDotOfTheLastName) {
  EXPECT_EQ(name_extension("run.PRO"), "PRO");
  EXPECT_EQ(name_extension("/data/a.b.wsc"), "wsc");
  EXPECT_EQ(name_extension(".PRO"), "");
  EXPECT_EQ(name_extension("data/.hidden.PRO"), "PRO");
  EXPECT_EQ(name_extension("run.PRO.bak"), "bak");
  EXPECT_EQ(name_extension("REPRO"), "");
  EXPECT_EQ(name_extension("run."), "");
  EXPECT_EQ(name_extension("folder.PRO/run"), "");
  EXPECT_EQ(name_extension("folder.PRO/"), "");
}

}  // namespace
}  // namespace ordelix
