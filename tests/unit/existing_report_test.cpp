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

// A report as the save leaves it, and what another program, another file's
// conversion or a copy cut short might leave at a report's name instead.
class ExistingReportAt : public ::testing::Test {
 protected:
  ExistingReportAt() {
    bytes_ = workbook_of("sample ");
    fresh_ = ZipBytes(bytes_);
    test::write_bytes(whole_, bytes_);
  }

  std::string workbook_of(const std::string& prefix) {
    ReportSheet sheet;
    for (int row = 1; row <= 300; ++row) sheet.set_text(row, 1, test::numbered(prefix, row));
    std::string path = dir_.file(prefix + ".xlsx");
    EXPECT_TRUE(report_save(sheet, path, {}).ok());
    std::string bytes = test::read_bytes(path);
    fs::remove(path);
    return bytes;
  }

  Result<ExistingReport> found_at(const std::string& path) {
    return existing_report_at(path, ReportFormat::xlsx, fresh_);
  }

  std::optional<ProblemKind> failure_at(const std::string& path) {
    Result<ExistingReport> found = found_at(path);
    if (found) return std::nullopt;
    return found.error().kind;
  }

  test::TempDir dir_;
  std::string whole_ = dir_.file("whole.xlsx");
  std::string bytes_;
  ZipBytes fresh_;
};

TEST_F(ExistingReportAt, TheWorkbookTheFileGivesIsKeptAndLeftAsItIs) {
  Result<ExistingReport> found = found_at(whole_);
  ASSERT_TRUE(found.ok()) << problem_text(found.error());
  EXPECT_EQ(found.value(), ExistingReport::same);
  EXPECT_EQ(test::read_bytes(whole_), bytes_);
}

TEST_F(ExistingReportAt, AWholeWorkbookOfOtherDataIsNotKept) {
  std::string other = dir_.file("other.xlsx");
  test::write_bytes(other, workbook_of("probe "));
  EXPECT_EQ(failure_at(other), ProblemKind::existing_report_differs);
}

TEST_F(ExistingReportAt, AnEmptyACutADamagedOrAForeignFileIsNotComplete) {
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

  // Its index whole, the data of a part gone: only inflating every part tells.
  for (const char* entry : {"xl/worksheets/sheet1.xml", "xl/sharedStrings.xml"}) {
    std::string zeroed = dir_.file("zeroed.xlsx");
    test::write_bytes(zeroed, test::with_entry_zeroed(bytes_, entry));
    ASSERT_NE(test::read_bytes(zeroed), bytes_);
    EXPECT_EQ(failure_at(zeroed), ProblemKind::existing_report_incomplete) << entry;
  }

  std::string text = dir_.file("text.xlsx");
  test::write_bytes(text, "sample,value\r\n1,0.5\r\n");
  EXPECT_EQ(failure_at(text), ProblemKind::existing_report_incomplete);

  // Bytes after its end record: not the zip its index describes.
  std::string longer = dir_.file("longer.xlsx");
  test::write_bytes(longer, bytes_ + bytes_.substr(0, 100));
  EXPECT_EQ(failure_at(longer), ProblemKind::existing_report_incomplete);
}

// Data are written whole by the save: a file that is the data cut short at
// any point was cut by a copy; any other file is another's data.
TEST_F(ExistingReportAt, DataAreKeptOnlyWhenTheyAreTheFreshOnesByteForByte) {
  enum Found { same, incomplete, differs };
  struct Case {
    ReportFormat format;
    std::string bytes;
    Found found;
  };
  const std::string json = "{\"file\": \"a.PRO\"}\n";
  const std::string csv = "Data No.,OD\r\n1,0.5\r\n2,0.25\r\n";
  const Case cases[] = {
      {ReportFormat::json, json, same},
      {ReportFormat::json, "{\"file\": \"a.P", incomplete},
      {ReportFormat::json, "", incomplete},
      {ReportFormat::json, "{\"file\": \"b.PRO\"}\n", differs},
      {ReportFormat::csv, csv, same},
      // Cut after a line: it ends as the whole file does.
      {ReportFormat::csv, "Data No.,OD\r\n1,0.5\r\n", incomplete},
      {ReportFormat::csv, "Data No.,OD\r\n1,0.", incomplete},
      {ReportFormat::csv, "Data No.,OD\r\n1,0.5\r\n2,0.75\r\n", differs},
      {ReportFormat::csv, csv + "3,0.125\r\n", differs},
      {ReportFormat::csv, bytes_, differs},
  };
  for (const Case& c : cases) {
    std::string path = dir_.file("data");
    test::write_bytes(path, c.bytes);
    ZipBytes fresh(c.format == ReportFormat::json ? json : csv);
    Result<ExistingReport> found = existing_report_at(path, c.format, fresh);
    if (c.found == same) {
      ASSERT_TRUE(found.ok()) << c.bytes;
      EXPECT_EQ(found.value(), ExistingReport::same) << c.bytes;
    } else {
      ASSERT_FALSE(found.ok()) << c.bytes;
      EXPECT_EQ(found.error().kind, c.found == incomplete ? ProblemKind::existing_report_incomplete
                                                          : ProblemKind::existing_report_differs)
          << c.bytes;
    }
    EXPECT_EQ(test::read_bytes(path), c.bytes) << "only ever read";
  }
}

TEST_F(ExistingReportAt, OnlyARegularFileIsLookedAt) {
  EXPECT_EQ(existing_report_at(dir_.file("missing.xlsx"), ReportFormat::xlsx, fresh_).value(),
            ExistingReport::none);
  EXPECT_EQ(existing_report_at(dir_.file("missing/below.xlsx"), ReportFormat::xlsx, fresh_).value(),
            ExistingReport::none);
  fs::create_directory(dir_.file("folder.xlsx"));
  EXPECT_EQ(existing_report_at(dir_.file("folder.xlsx"), ReportFormat::xlsx, fresh_).value(),
            ExistingReport::none);
#ifndef _WIN32
  // Opened, a pipe without a writer would hold the check up for good.
  ASSERT_EQ(::mkfifo(dir_.file("pipe.xlsx").c_str(), 0600), 0);
  EXPECT_EQ(existing_report_at(dir_.file("pipe.xlsx"), ReportFormat::xlsx, fresh_).value(),
            ExistingReport::none);
  // The save refuses a link, so a complete workbook behind one is no report to keep.
  fs::create_symlink(whole_, dir_.file("link.xlsx"));
  EXPECT_EQ(existing_report_at(dir_.file("link.xlsx"), ReportFormat::xlsx, fresh_).value(),
            ExistingReport::none);
  fs::create_symlink(dir_.file("gone.xlsx"), dir_.file("dangling.xlsx"));
  EXPECT_EQ(existing_report_at(dir_.file("dangling.xlsx"), ReportFormat::xlsx, fresh_).value(),
            ExistingReport::none);
#endif
}

#ifndef _WIN32
TEST_F(ExistingReportAt, AFileThatCannotBeReadSaysWhy) {
  if (::geteuid() == 0) GTEST_SKIP() << "root reads a file whatever its mode";
  ASSERT_EQ(::chmod(whole_.c_str(), 0), 0);
  Result<ExistingReport> found = found_at(whole_);
  ASSERT_FALSE(found.ok());
  EXPECT_EQ(found.error().kind, ProblemKind::existing_report_unreadable);
  EXPECT_EQ(problem_text(found.error()), "cannot read the existing report: Permission denied");
}
#endif

}  // namespace
}  // namespace ordelix
