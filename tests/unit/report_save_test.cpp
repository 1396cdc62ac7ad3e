#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "report_flush.h"
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

namespace ordelix {
namespace {

// A save in two steps: the report is complete under a hidden name until placed.
class TwoStepSave : public ReportSave {
 protected:
  WrittenReport write(const std::string& target, bool replace = false) {
    SaveOptions options;
    options.replace_existing = replace;
    WorkbookSheet only{&sheet_, {}};
    auto written = report_write({&only, 1}, target, options);
    EXPECT_TRUE(std::holds_alternative<WrittenReport>(written));
    return std::get<WrittenReport>(written);
  }
};

TEST_F(TwoStepSave, WrittenReportWaitsUnderAHiddenNameUntilPlaced) {
  std::string target = dir_.file("report.xlsx");
  WrittenReport written = write(target);
  EXPECT_FALSE(fs::exists(target));
  ASSERT_EQ(names_in(dir_.path()).size(), 1u);
  EXPECT_EQ(names_in(dir_.path())[0].rfind(".ordelix-", 0), 0u);
  EXPECT_TRUE(is_workbook(written.temp));
  EXPECT_FALSE(reports_flush({written.temp}));

  EXPECT_FALSE(report_place(written));
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"report.xlsx"});
  EXPECT_TRUE(is_workbook(target));
}

TEST_F(TwoStepSave, AReportThatAppearedMeanwhileIsKeptAndTheWrittenOneGoes) {
  std::string target = dir_.file("report.xlsx");
  WrittenReport written = write(target);
  test::write_bytes(target, "made by someone else meanwhile");
  std::optional<Problem> r = report_place(written);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->kind, ProblemKind::target_exists);
  EXPECT_EQ(test::read_bytes(target), "made by someone else meanwhile");
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"report.xlsx"});

  report_discard(write(dir_.file("other.xlsx")));
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"report.xlsx"});
}

TEST_F(TwoStepSave, AFolderIsNoTargetEvenWhenReplacing) {
  fs::create_directory(dir_.file("looks.xlsx"));
  SaveOptions options;
  options.replace_existing = true;
  std::optional<Problem> r = report_save(sheet_, dir_.file("looks.xlsx"), options);
  ASSERT_TRUE(r);
  EXPECT_EQ(r->kind, ProblemKind::target_is_folder);
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"looks.xlsx"});
}

TEST_F(TwoStepSave, FlushingWhatIsNotThereFailsWithTheReason) {
  std::string a = write(dir_.file("a.xlsx")).temp;
  std::string b = write(dir_.file("b.xlsx")).temp;
  EXPECT_FALSE(reports_flush({a, b}));
  EXPECT_FALSE(report_folders_flush({dir_.file("a.xlsx"), dir_.file("b.xlsx")}));
  std::optional<Problem> r = reports_flush({a, dir_.file("gone")});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->kind, ProblemKind::cannot_flush);
  EXPECT_EQ(r->sys_errno, ENOENT);
  r = report_folders_flush({dir_.file("missing/a.xlsx")});
  ASSERT_TRUE(r);
  EXPECT_EQ(r->sys_errno, ENOENT);
}

}  // namespace
}  // namespace ordelix
