#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "report_save.h"
#include "test_support.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;

std::vector<std::string> names_in(const fs::path& folder) {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(folder))
    names.push_back(entry.path().filename().string());
  std::sort(names.begin(), names.end());
  return names;
}

bool is_workbook(const std::string& path) {
  return test::read_bytes(path).rfind("PK\x03\x04", 0) == 0;
}

class ReportSave : public ::testing::Test {
 protected:
  ReportSave() {
    sheet_.set_text(1, 1, "Method                ");
    sheet_.set_number(5, 4, 0.5);
  }

  ReportSheet sheet_;
  test::TempDir dir_;
};

TEST_F(ReportSave, SavesWorkbookAndLeavesNoTemporaryFile) {
  std::string target = dir_.file("report.xlsx");
  std::optional<Problem> r = report_save(sheet_, target, {});
  ASSERT_FALSE(r) << problem_text(*r);
  EXPECT_TRUE(is_workbook(target));
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"report.xlsx"});
}

TEST_F(ReportSave, RefusesExistingTargetAndLeavesItUntouched) {
  std::string target = dir_.file("report.xlsx");
  test::write_bytes(target, "earlier report");
  std::optional<Problem> r = report_save(sheet_, target, {});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->kind, ProblemKind::target_exists);
  EXPECT_FALSE(problem_text(*r).empty());
  EXPECT_EQ(test::read_bytes(target), "earlier report");
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"report.xlsx"});
}

TEST_F(ReportSave, ReplacesExistingTargetWhenAsked) {
  std::string target = dir_.file("report.xlsx");
  test::write_bytes(target, "earlier report");
  SaveOptions options;
  options.replace_existing = true;
  std::optional<Problem> r = report_save(sheet_, target, options);
  ASSERT_FALSE(r) << problem_text(*r);
  EXPECT_TRUE(is_workbook(target));
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"report.xlsx"});
}

TEST_F(ReportSave, NeverWritesOverTheInputFile) {
  std::string input = dir_.file("run.PRO");
  test::write_bytes(input, "2\r\n0\r\n1\r\n");
  SaveOptions options;
  options.replace_existing = true;
  options.input_path = input;
  for (const std::string& target : {input, (dir_.path() / "." / "run.PRO").string()}) {
    SCOPED_TRACE(target);
    std::optional<Problem> r = report_save(sheet_, target, options);
    ASSERT_TRUE(r);
    EXPECT_EQ(r->kind, ProblemKind::target_is_input);
    EXPECT_EQ(test::read_bytes(input), "2\r\n0\r\n1\r\n");
  }
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"run.PRO"});
}

TEST_F(ReportSave, MissingFolderCannotTakeTheReport) {
  std::optional<Problem> r = report_save(sheet_, dir_.file("missing/report.xlsx"), {});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->kind, ProblemKind::cannot_create);
  EXPECT_FALSE(problem_text(*r).empty());
  EXPECT_TRUE(names_in(dir_.path()).empty());
}

TEST_F(ReportSave, PathUnderARegularFileCannotTakeTheReport) {
  test::write_bytes(dir_.file("plain.txt"), "x");
  SaveOptions options;
  options.replace_existing = true;
  std::optional<Problem> r = report_save(sheet_, dir_.file("plain.txt/report.xlsx"), options);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->kind, ProblemKind::cannot_create);
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"plain.txt"});
  EXPECT_EQ(test::read_bytes(dir_.file("plain.txt")), "x");
}

}  // namespace
}  // namespace ordelix
