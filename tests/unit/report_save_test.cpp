#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/staged_file.h"
#include "save/report_flush.h"
#include "save/report_save.h"
#include "test_support.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;

using test::is_workbook;
using test::names_in;

class ReportSave : public ::testing::Test {
 protected:
  ReportSave() {
    sheet_.set_text(1, 1, "Method                ");
    sheet_.set_number(5, 4, 0.5);
  }

  Result<PendingReport> write(const std::string& target, const SaveOptions& options,
                              WriteSync sync = WriteSync::synced) {
    WorkbookSheet only{&sheet_, {}};
    return report_write({&only, 1}, target, options, sync);
  }

  ReportSheet sheet_;
  test::TempDir dir_;
};

TEST_F(ReportSave, SavesWorkbookAndLeavesNoTemporaryFile) {
  std::string target = dir_.file("report.xlsx");
  Result<void> r = report_save(sheet_, target, {});
  ASSERT_TRUE(r.ok()) << problem_text(r.error());
  EXPECT_TRUE(is_workbook(target));
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"report.xlsx"});
}

TEST_F(ReportSave, RefusesExistingTargetAndLeavesItUntouched) {
  std::string target = dir_.file("report.xlsx");
  test::write_bytes(target, "earlier report");
  Result<void> r = report_save(sheet_, target, {});
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().kind, ProblemKind::target_exists);
  EXPECT_FALSE(problem_text(r.error()).empty());
  EXPECT_EQ(test::read_bytes(target), "earlier report");
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"report.xlsx"});
}

TEST_F(ReportSave, ReplacesExistingTargetWhenAsked) {
  std::string target = dir_.file("report.xlsx");
  test::write_bytes(target, "earlier report");
  SaveOptions options;
  options.replace_existing = true;
  Result<void> r = report_save(sheet_, target, options);
  ASSERT_TRUE(r.ok()) << problem_text(r.error());
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
    Result<void> r = report_save(sheet_, target, options);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().kind, ProblemKind::target_is_input);
    EXPECT_EQ(test::read_bytes(input), "2\r\n0\r\n1\r\n");
  }
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"run.PRO"});
}

TEST_F(ReportSave, MissingFolderCannotTakeTheReport) {
  Result<void> r = report_save(sheet_, dir_.file("missing/report.xlsx"), {});
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().kind, ProblemKind::cannot_create);
  EXPECT_FALSE(problem_text(r.error()).empty());
  EXPECT_TRUE(names_in(dir_.path()).empty());
}

TEST_F(ReportSave, PathUnderARegularFileCannotTakeTheReport) {
  test::write_bytes(dir_.file("plain.txt"), "x");
  SaveOptions options;
  options.replace_existing = true;
  Result<void> r = report_save(sheet_, dir_.file("plain.txt/report.xlsx"), options);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().kind, ProblemKind::cannot_create);
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"plain.txt"});
  EXPECT_EQ(test::read_bytes(dir_.file("plain.txt")), "x");
}

TEST_F(ReportSave, EarlierReportStandsUntilTheNewOneIsPlaced) {
  std::string target = dir_.file("report.xlsx");
  test::write_bytes(target, "earlier report");
  SaveOptions options;
  options.replace_existing = true;
  Result<PendingReport> written = write(target, options);
  ASSERT_TRUE(written.ok()) << problem_text(written.error());
  EXPECT_EQ(test::read_bytes(target), "earlier report");
  ASSERT_TRUE(written.value().place().ok());
  EXPECT_TRUE(is_workbook(target));
  EXPECT_TRUE(report_sync_folder(target).ok());
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"report.xlsx"});
}

TEST_F(ReportSave, ReportNeverPlacedLeavesNothing) {
  std::string target = dir_.file("report.xlsx");
  {
    Result<PendingReport> written = write(target, {});
    ASSERT_TRUE(written.ok()) << problem_text(written.error());
  }
  EXPECT_TRUE(names_in(dir_.path()).empty());
}

TEST_F(ReportSave, ReportPlacedWhereAnotherAppearedMeanwhileIsRefused) {
  std::string target = dir_.file("report.xlsx");
  Result<PendingReport> written = write(target, {});
  ASSERT_TRUE(written.ok()) << problem_text(written.error());
  test::write_bytes(target, "written meanwhile");
  Result<void> r = written.value().place();
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().kind, ProblemKind::target_exists);
  EXPECT_EQ(test::read_bytes(target), "written meanwhile");
}

// Both ways of staging a file, placed with and without consent to replace.
class Staging : public ::testing::TestWithParam<StagedFile::Naming> {
 protected:
  StagedFile staged(const std::string& content) {
    Result<StagedFile> created = StagedFile::create(dir_.path().string(), GetParam());
    if (!created) ADD_FAILURE() << problem_text(created.error());
    StagedFile file = std::move(created).value();
    EXPECT_TRUE(file.write_at(0, content).ok());
    return file;
  }

  static std::string read_back(const StagedFile& file) {
    std::string bytes(64, '\0');
    Result<std::size_t> read = file.read_at(0, bytes.data(), bytes.size());
    EXPECT_TRUE(read.ok());
    bytes.resize(read ? read.value() : 0);
    return bytes;
  }

  test::TempDir dir_;
};

TEST_P(Staging, NamedOnlyWhereItMustBe) {
  StagedFile file = staged("x");
  if (GetParam() == StagedFile::Naming::named) {
    EXPECT_TRUE(file.named());
    ASSERT_EQ(names_in(dir_.path()).size(), 1u);
    EXPECT_EQ(names_in(dir_.path())[0].rfind(".ordelix-", 0), 0u);
  } else if (file.named()) {
    GTEST_SKIP() << "this file system has no unnamed files";
  } else {
    EXPECT_TRUE(names_in(dir_.path()).empty());
  }
  EXPECT_EQ(read_back(file), "x");
}

TEST_P(Staging, PlacesWithoutReplacingUnlessAsked) {
  std::string target = dir_.file("report.xlsx");
  test::write_bytes(target, "earlier");
  {
    StagedFile file = staged("new");
    Result<void> placed = file.place(target, false);
    ASSERT_FALSE(placed.ok());
    EXPECT_EQ(placed.error().kind, ProblemKind::target_exists);
  }
  EXPECT_EQ(test::read_bytes(target), "earlier");
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"report.xlsx"});

  StagedFile file = staged("new");
  EXPECT_TRUE(file.place(target, true).ok());
  EXPECT_EQ(test::read_bytes(target), "new");
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"report.xlsx"});

  StagedFile fresh = staged("fresh");
  EXPECT_TRUE(fresh.place(dir_.file("fresh.xlsx"), false).ok());
  EXPECT_EQ(test::read_bytes(dir_.file("fresh.xlsx")), "fresh");
}

INSTANTIATE_TEST_SUITE_P(BothWays, Staging,
                         ::testing::Values(StagedFile::Naming::unnamed_where_possible,
                                           StagedFile::Naming::named));

}  // namespace
}  // namespace ordelix

namespace ordelix {
namespace {

TEST_F(ReportSave, AFolderIsNoTargetEvenWhenReplacing) {
  fs::create_directory(dir_.file("looks.xlsx"));
  SaveOptions options;
  options.replace_existing = true;
  Result<void> r = report_save(sheet_, dir_.file("looks.xlsx"), options);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().kind, ProblemKind::target_is_folder);
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"looks.xlsx"});
}

TEST_F(ReportSave, ReportsWrittenWithoutTheirOwnSyncAreFlushedTogetherThenPlaced) {
  std::vector<PendingReport> pending;
  for (const char* name : {"a.xlsx", "b.xlsx", "c.xlsx"}) {
    Result<PendingReport> written = write(dir_.file(name), {}, WriteSync::by_caller);
    ASSERT_TRUE(written.ok()) << problem_text(written.error());
    pending.push_back(std::move(written).value());
  }
  std::vector<PendingReport*> all{&pending[0], &pending[1], &pending[2]};
  EXPECT_TRUE(reports_flush(all).ok());
  EXPECT_TRUE(reports_flush({all.data(), 1}).ok());
  std::vector<std::string> targets;
  for (PendingReport& report : pending) {
    ASSERT_TRUE(report.place().ok());
    targets.push_back(report.target());
  }
  EXPECT_TRUE(report_folders_flush(targets).ok());
  for (const std::string& target : targets) EXPECT_TRUE(is_workbook(target)) << target;
}

TEST_F(ReportSave, BytesAreSavedAsTheyAreAndNothingElseStays) {
  std::string target = dir_.file("run.json");
  std::string bytes = test::pattern(200000);  // more than one chunk read back
  Result<void> r = report_save_bytes(bytes, target, {});
  ASSERT_TRUE(r.ok()) << problem_text(r.error());
  EXPECT_EQ(test::read_bytes(target), bytes);
  EXPECT_EQ(names_in(dir_.path()), std::vector<std::string>{"run.json"});
  ASSERT_TRUE(report_save_bytes("", dir_.file("empty.csv"), {}).ok());
  EXPECT_EQ(test::read_bytes(dir_.file("empty.csv")), "");
}

TEST_F(ReportSave, BytesReplaceAReportOnlyWhenAskedAndNeverTheInput) {
  std::string target = dir_.file("run.csv");
  test::write_bytes(target, "earlier report");
  Result<void> kept = report_save_bytes("a,b\r\n", target, {});
  ASSERT_FALSE(kept.ok());
  EXPECT_EQ(kept.error().kind, ProblemKind::target_exists);
  EXPECT_EQ(test::read_bytes(target), "earlier report");

  SaveOptions options;
  options.replace_existing = true;
  ASSERT_TRUE(report_save_bytes("a,b\r\n", target, options).ok());
  EXPECT_EQ(test::read_bytes(target), "a,b\r\n");

  options.input_path = target;
  Result<void> input = report_save_bytes("x", target, options);
  ASSERT_FALSE(input.ok());
  EXPECT_EQ(input.error().kind, ProblemKind::target_is_input);
  EXPECT_EQ(test::read_bytes(target), "a,b\r\n");
}

TEST_F(ReportSave, BytesStandAsideUntilPlaced) {
  std::string target = dir_.file("run.json");
  {
    Result<PendingReport> written = report_write_bytes("{}", target, {});
    ASSERT_TRUE(written.ok()) << problem_text(written.error());
  }
  EXPECT_TRUE(names_in(dir_.path()).empty());
  Result<PendingReport> written = report_write_bytes("{}", target, {}, WriteSync::by_caller);
  ASSERT_TRUE(written.ok()) << problem_text(written.error());
  std::vector<PendingReport*> all{&written.value()};
  EXPECT_TRUE(reports_flush(all).ok());
  ASSERT_TRUE(written.value().place().ok());
  EXPECT_EQ(test::read_bytes(target), "{}");
}

}  // namespace
}  // namespace ordelix
