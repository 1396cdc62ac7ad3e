// What only a POSIX system gives the core: named pipes, devices under /dev,
// the umask, folders synced through a descriptor of their own, parts spilled
// into the report's folder, time zones named by TZ, large pages on request.
// Windows' counterparts are in windows_platform_test.cpp.

#include <fcntl.h>
#include <sys/stat.h>
#include <sys/types.h>
#include <unistd.h>

#include <cerrno>
#include <cinttypes>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion.h"
#include "exportfile/local_date_time.h"
#include "platform/memory_reuse.h"
#include "platform/part_streams.h"
#include "save/report_flush.h"
#include "save/report_save.h"
#include "save/report_stream.h"
#include "sheet/cell_ref.h"
#include "test_support.h"
#include "xlsx/xlsx_writer.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;
using test::names_in;
using test::pattern;
using test::round_trip;

// Windows takes its zone from the system, never from a TZ string.
class PosixLocalTime : public ::testing::Test {
 protected:
  void zone(const char* tz) {
    test::set_environment("TZ", tz);
    ::tzset();
  }
  ~PosixLocalTime() override {
    test::unset_environment("TZ");
    ::tzset();
  }
};

constexpr std::time_t hour = 3600;
constexpr std::time_t earliest = -2208988800;  // 1900-01-01 00:00:00 UTC
constexpr std::time_t latest = 253402300799;   // 9999-12-31 23:59:59 UTC

TEST_F(PosixLocalTime, LocalTimeMustStayInsideTheSpanToo) {
  zone("JST-9");  // nine hours ahead of UTC
  EXPECT_EQ(date_time_from_local(earliest), (DateTime{1900, 1, 1, 9, 0, 0}));
  EXPECT_EQ(date_time_from_local(latest - 9 * hour), (DateTime{9999, 12, 31, 23, 59, 59}));
  EXPECT_FALSE(date_time_from_local(latest - 9 * hour + 1));  // 10000-01-01 in Tokyo

  zone("EST5");                                  // five hours behind
  EXPECT_FALSE(date_time_from_local(earliest));  // 1899-12-31 19:00 in New York
  EXPECT_EQ(date_time_from_local(earliest + 5 * hour), (DateTime{1900, 1, 1, 0, 0, 0}));
  EXPECT_EQ(date_time_from_local(latest), (DateTime{9999, 12, 31, 18, 59, 59}));
}

class PosixExportFile : public test::ConversionTest {
 protected:
  std::string fifo(const std::string& name) {
    std::string path = dir_.file(name);
    EXPECT_EQ(::mkfifo(path.c_str(), 0644), 0);
    return path;
  }
};

// A pipe nobody writes to would block a plain open for ever.
TEST_F(PosixExportFile, PipeIsRefusedWithoutWaitingForAWriter) {
  Result<Conversion> c = convert_export_file(fifo("pipe.PRO"));
  ASSERT_FALSE(c.ok());
  EXPECT_EQ(c.error().kind, ProblemKind::not_regular);
  EXPECT_FALSE(problem_text(c.error()).empty());
}

TEST_F(PosixExportFile, DeviceIsRefused) {
  fs::create_symlink("/dev/zero", dir_.path() / "zero.NUC");
  Result<Conversion> c = convert_export_file(dir_.file("zero.NUC"));
  ASSERT_FALSE(c.ok());
  EXPECT_EQ(c.error().kind, ProblemKind::not_regular);
}

TEST_F(PosixExportFile, NameThatGivesNoModeIsRefusedBeforeTheFileIsOpened) {
  for (auto [name, kind] : {std::pair{"pipe.TXT", ProblemKind::no_mode},
                            std::pair{"REPRO", ProblemKind::no_extension}}) {
    Result<Conversion> c = convert_export_file(fifo(name));
    ASSERT_FALSE(c.ok()) << name;
    EXPECT_EQ(c.error().kind, kind) << name;
  }
}

class PosixReportSave : public ::testing::Test {
 protected:
  PosixReportSave() {
    sheet_.set_text(1, 1, "Method                ");
    sheet_.set_number(5, 4, 0.5);
  }

  ReportSheet sheet_;
  test::TempDir dir_;
};

TEST_F(PosixReportSave, ReportTakesTheUsersUmask) {
  mode_t before = ::umask(0);
  for (mode_t mask : {0022, 0027, 0077, 0002, 0}) {
    SCOPED_TRACE(mask);
    ::umask(mask);
    std::string target = dir_.file("report-" + std::to_string(mask) + ".xlsx");
    Result<void> r = report_save(sheet_, target, {});
    ASSERT_TRUE(r.ok()) << problem_text(r.error());
    struct stat st {};
    ASSERT_EQ(::stat(target.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0666 & ~mask);
  }
  ::umask(before);
}

TEST_F(PosixReportSave, ReplacesNothingButARegularFileEvenWhenAsked) {
  fs::path fifo = dir_.path() / "pipe.xlsx";
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  test::write_bytes(dir_.file("elsewhere.xlsx"), "earlier report");
  fs::create_symlink("elsewhere.xlsx", dir_.path() / "link.xlsx");
  fs::create_directory(dir_.path() / "folder.xlsx");
  SaveOptions options;
  options.replace_existing = true;
  for (auto [name, why] : {std::pair{"pipe.xlsx", ProblemKind::target_not_regular},
                           std::pair{"link.xlsx", ProblemKind::target_not_regular},
                           std::pair{"folder.xlsx", ProblemKind::target_is_folder}}) {
    SCOPED_TRACE(name);
    Result<void> r = report_save(sheet_, dir_.file(name), options);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().kind, why);
    EXPECT_FALSE(problem_text(r.error()).empty());
  }
  EXPECT_TRUE(fs::is_fifo(fs::symlink_status(fifo)));
  EXPECT_TRUE(fs::is_symlink(fs::symlink_status(dir_.path() / "link.xlsx")));
  EXPECT_EQ(test::read_bytes(dir_.file("elsewhere.xlsx")), "earlier report");
  EXPECT_TRUE(fs::is_directory(dir_.path() / "folder.xlsx"));
  EXPECT_EQ(names_in(dir_.path()),
            (std::vector<std::string>{"elsewhere.xlsx", "folder.xlsx", "link.xlsx", "pipe.xlsx"}));
}

// Windows has nothing to sync in a folder: the move into place is written
// through.
TEST_F(PosixReportSave, FolderThatCannotBeOpenedCannotBeSynced) {
  Result<void> r = report_sync_folder(dir_.file("missing/report.xlsx"));
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().kind, ProblemKind::sync_failed);
  EXPECT_FALSE(problem_text(r.error()).empty());
}

TEST_F(PosixReportSave, FoldersFlushedTogetherFailWithTheFirstThatCannotBeOpened) {
  Result<void> r = report_folders_flush(std::vector<std::string>{dir_.file("missing/a.xlsx")});
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().kind, ProblemKind::sync_failed);
  EXPECT_EQ(r.error().sys_errno, ENOENT);
}

// Windows keeps every part in the user's temporary folder, whatever folder the
// workbook names, and marks a failed write on the part's stream alone.
TEST(PartStreams, APartThatCannotGoToItsFolderIsAFailureWithItsReason) {
  test::TempDir dir;
  std::string missing = dir.file("missing");
  part_streams_forget();
  FILE* small = part_stream_open(missing.data());
  round_trip(small, pattern(1000));
  std::fclose(small);
  EXPECT_EQ(part_streams_failure(), 0) << "a small part needs no folder";

  FILE* large = part_stream_open(missing.data());
  round_trip(large, pattern(std::size_t{1} << 20));
  std::fclose(large);
  EXPECT_EQ(part_streams_failure(), ENOENT);
  part_streams_forget();
  EXPECT_EQ(part_streams_failure(), 0);
}

// The workbook library writes its charts' parts on a thread of its own.
TEST(PartStreams, APartWrittenOnAnotherThreadFailsForTheThreadThatOpenedIt) {
  test::TempDir dir;
  std::string missing = dir.file("missing");
  part_streams_forget();
  FILE* part = part_stream_open(missing.data());
  int writers_own = -1;
  std::thread writer([&] {
    round_trip(part, pattern(std::size_t{1} << 20));
    std::fclose(part);
    writers_own = part_streams_failure();
  });
  writer.join();
  EXPECT_EQ(writers_own, 0);
  EXPECT_EQ(part_streams_failure(), ENOENT);
  part_streams_forget();
}

// The chart's part is made beside the others; the long sheet's is compressed
// as it is written and needs no folder.
TEST(PartStreams, AWorkbookWithAChartPartLostFailsWithTheSystemsReason) {
  test::TempDir dir;
  ReportSheet sheet;
  for (int row = 1; row <= 20000; ++row) sheet.set_number(row, 1, row * 0.001);
  LineChart chart;
  chart.width = 350;
  chart.height = 250;
  chart.values = *cell_range_parse("A1:A20000");
  chart.categories = *cell_range_parse("A1:A20000");
  sheet.add_line_chart(chart);
  for (int round = 0; round < 20; ++round) {
    ZipBytes zip;
    Result<void> written = xlsx_write_report(sheet, 981173106, dir.file("missing"), zip);
    ASSERT_FALSE(written.ok());
    EXPECT_EQ(written.error().sys_errno, ENOENT) << problem_text(written.error());
  }
}

TEST(PartStreams, AWorkbookWithAPartLostFailsWithTheSystemsReason) {
  test::TempDir dir;
  ReportSheet sheet;
  // About 120 bytes of worksheet XML a row: far beyond what stays in memory,
  // in a sheet too short to be compressed as it is written.
  for (int row = 1; row <= 2000; ++row)
    for (int col = 1; col <= 3; ++col) sheet.set_number(row, col, row * 0.001);
  ZipBytes zip;
  Result<void> written = xlsx_write_report(sheet, 981173106, dir.file("missing"), zip);
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.error().kind, ProblemKind::write_failed);
  EXPECT_EQ(written.error().sys_errno, ENOENT);
  EXPECT_EQ(problem_text(written.error()),
            std::string("writing the report failed: ") + std::strerror(ENOENT));

  ReportSheet small;
  small.set_text(1, 1, "kept in memory");
  ZipBytes small_zip;
  EXPECT_TRUE(xlsx_write_report(small, 981173106, dir.file("missing"), small_zip).ok());
}

// /dev/full: an output that takes no byte.
TEST(PosixReportStream, AFailingOutputIsTheOutputsProblem) {
  ReportSheet sheet;
  sheet.set_text(1, 1, "Method                ");
  sheet.set_number(5, 4, 0.5);
  WorkbookSheet only{&sheet, {}};
  int fd = ::open("/dev/full", O_WRONLY);
  ASSERT_GE(fd, 0);
  Result<void> r = report_stream({&only, 1}, fd, 0);
  ::close(fd);
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().kind, ProblemKind::stdout_failed);
  EXPECT_EQ(r.error().sys_errno, ENOSPC);
  EXPECT_NE(problem_text(r.error()).find("standard output"), std::string::npos);
}

// The kernel's flags of the mapping that holds `address`, from smaps.
std::string mapping_flags(const void* address) {
  auto at = reinterpret_cast<std::uintptr_t>(address);
  std::ifstream smaps("/proc/self/smaps");
  bool inside = false;
  for (std::string line; std::getline(smaps, line);) {
    std::uintptr_t start = 0, end = 0;
    if (std::sscanf(line.c_str(), "%" SCNxPTR "-%" SCNxPTR, &start, &end) == 2) {
      inside = start <= at && at < end;
    } else if (inside && line.rfind("VmFlags:", 0) == 0) {
      return line;
    }
  }
  return "";
}

// The converter asks at its start, with a heap nothing has used yet: the
// test asks in a process started anew for it, not in one whose heap the
// other tests have shaped. Above glibc's usual threshold of 128 KiB, a block
// would be mapped apart; large pages start at the first 2 MiB boundary.
std::string flags_of_a_block_after_asking(std::size_t surely_used) {
  memory_prefer_large_pages(surely_used);
  void* block = std::malloc(4 << 20);
  return block ? mapping_flags(static_cast<char*>(block) + (3 << 20)) : "";
}

TEST(PosixMemory, AReportsBlocksComeFromLargePagesItWillFill) {
#ifdef ORDELIX_SANITIZE
  GTEST_SKIP() << "the sanitizer's allocator takes the C library's place";
#endif
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  // 8 MiB from any start hold the large pages from 2 MiB in to 6 MiB in, at
  // the latest; 3 MiB in is within them.
  EXPECT_EXIT(
      {
        std::string flags = flags_of_a_block_after_asking(8 << 20);
        std::fprintf(stderr, "%s\n", flags.c_str());
        std::_Exit(flags.find(" hg") != std::string::npos ? 0 : 1);
      },
      testing::ExitedWithCode(0), "VmFlags:");
  // Less than a large page's worth asks for none.
  EXPECT_EXIT(
      {
        std::string flags = flags_of_a_block_after_asking(1 << 20);
        std::fprintf(stderr, "%s\n", flags.c_str());
        std::_Exit(flags.find(" hg") == std::string::npos ? 0 : 1);
      },
      testing::ExitedWithCode(0), "VmFlags:");
}

}  // namespace
}  // namespace ordelix
