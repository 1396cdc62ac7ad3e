#include <cerrno>
#include <filesystem>
#include <optional>
#include <string>

#ifndef _WIN32
#include <sys/stat.h>
#include <unistd.h>
#endif

#include <gtest/gtest.h>

#include "batch/existing_report.h"
#include "save/report_save.h"
#include "test_support.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;

// A report as the save leaves it, and what another program or a copy cut
// short might leave at a report's name instead.
class ExistingReportAt : public ::testing::Test {
 protected:
  ExistingReportAt() {
    ReportSheet sheet;
    for (int row = 1; row <= 300; ++row) sheet.set_text(row, 1, test::numbered("sample ", row));
    EXPECT_TRUE(report_save(sheet, whole_, {}).ok());
    bytes_ = test::read_bytes(whole_);
  }

  std::optional<ProblemKind> failure_at(const std::string& path) {
    Result<ExistingReport> found = existing_report_at(path, ReportFormat::xlsx);
    if (found) return std::nullopt;
    return found.error().kind;
  }

  test::TempDir dir_;
  std::string whole_ = dir_.file("whole.xlsx");
  std::string bytes_;
};

TEST_F(ExistingReportAt, AWorkbookWrittenWholeIsComplete) {
  Result<ExistingReport> found = existing_report_at(whole_, ReportFormat::xlsx);
  ASSERT_TRUE(found.ok()) << problem_text(found.error());
  EXPECT_EQ(found.value(), ExistingReport::complete);
  EXPECT_EQ(test::read_bytes(whole_), bytes_);
}

TEST_F(ExistingReportAt, AnEmptyACutOrAForeignFileIsNotComplete) {
  std::string empty = dir_.file("empty.xlsx");
  test::write_bytes(empty, "");
  EXPECT_EQ(failure_at(empty), ProblemKind::existing_report_incomplete);

  // Cut inside the end record, without it, halfway, and inside the first header.
  for (std::size_t kept :
       {bytes_.size() - 1, bytes_.size() - 22, bytes_.size() / 2, std::size_t{30}}) {
    std::string cut = dir_.file("cut.xlsx");
    test::write_bytes(cut, bytes_.substr(0, kept));
    EXPECT_EQ(failure_at(cut), ProblemKind::existing_report_incomplete) << kept;
  }

  std::string text = dir_.file("text.xlsx");
  test::write_bytes(text, "sample,value\r\n1,0.5\r\n");
  EXPECT_EQ(failure_at(text), ProblemKind::existing_report_incomplete);

  // Bytes after its end record: not the zip its index describes.
  std::string longer = dir_.file("longer.xlsx");
  test::write_bytes(longer, bytes_ + bytes_.substr(0, 100));
  EXPECT_EQ(failure_at(longer), ProblemKind::existing_report_incomplete);
}

// Data are written whole by the save; a copy cut short loses its end.
TEST_F(ExistingReportAt, DataAreCompleteWhenTheyEndAsTheSaveEndsThem) {
  struct Case {
    ReportFormat format;
    std::string bytes;
    bool complete;
  };
  const Case cases[] = {
      {ReportFormat::json, "{\"file\": \"a.PRO\"}\n", true},
      {ReportFormat::json, "[{\"file\": \"a.PRO\"}]\n", true},
      {ReportFormat::json, "{\"file\": \"a.P", false},
      {ReportFormat::json, "", false},
      {ReportFormat::csv, "Data No.,OD\r\n1,0.5\r\n", true},
      {ReportFormat::csv, "Data No.,OD\r\n1,0.", false},
      // A workbook is no CSV.
      {ReportFormat::csv, bytes_, false},
  };
  for (const Case& c : cases) {
    std::string path = dir_.file("data");
    test::write_bytes(path, c.bytes);
    Result<ExistingReport> found = existing_report_at(path, c.format);
    if (c.complete) {
      ASSERT_TRUE(found.ok()) << c.bytes;
      EXPECT_EQ(found.value(), ExistingReport::complete) << c.bytes;
    } else {
      ASSERT_FALSE(found.ok()) << c.bytes;
      EXPECT_EQ(found.error().kind, ProblemKind::existing_report_incomplete) << c.bytes;
    }
  }
}

TEST_F(ExistingReportAt, OnlyARegularFileIsLookedAt) {
  EXPECT_EQ(existing_report_at(dir_.file("missing.xlsx"), ReportFormat::xlsx).value(),
            ExistingReport::none);
  EXPECT_EQ(existing_report_at(dir_.file("missing/below.xlsx"), ReportFormat::xlsx).value(),
            ExistingReport::none);
  fs::create_directory(dir_.file("folder.xlsx"));
  EXPECT_EQ(existing_report_at(dir_.file("folder.xlsx"), ReportFormat::xlsx).value(),
            ExistingReport::none);
#ifndef _WIN32
  // Opened, a pipe without a writer would hold the check up for good.
  ASSERT_EQ(::mkfifo(dir_.file("pipe.xlsx").c_str(), 0600), 0);
  EXPECT_EQ(existing_report_at(dir_.file("pipe.xlsx"), ReportFormat::xlsx).value(),
            ExistingReport::none);
  // The save refuses a link, so a complete workbook behind one is no report to keep.
  fs::create_symlink(whole_, dir_.file("link.xlsx"));
  EXPECT_EQ(existing_report_at(dir_.file("link.xlsx"), ReportFormat::xlsx).value(),
            ExistingReport::none);
  fs::create_symlink(dir_.file("gone.xlsx"), dir_.file("dangling.xlsx"));
  EXPECT_EQ(existing_report_at(dir_.file("dangling.xlsx"), ReportFormat::xlsx).value(),
            ExistingReport::none);
#endif
}

#ifndef _WIN32
TEST_F(ExistingReportAt, AFileThatCannotBeReadSaysWhy) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads a file whatever its mode";
  ASSERT_EQ(::chmod(whole_.c_str(), 0), 0);
  Result<ExistingReport> found = existing_report_at(whole_, ReportFormat::xlsx);
  ASSERT_FALSE(found.ok());
  EXPECT_EQ(found.error().kind, ProblemKind::existing_report_unreadable);
  EXPECT_EQ(problem_text(found.error()), "cannot read the existing report: Permission denied");
}
#endif

}  // namespace
}  // namespace ordelix
