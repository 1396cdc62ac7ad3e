#include "platform/part_streams.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "test_support.h"
#include "xlsx/xlsx_writer.h"

namespace ordelix {
namespace {

// Bytes that tell where they were cut or shifted: no two 4-byte windows alike.
std::string pattern(std::size_t size) {
  std::string bytes(size, '\0');
  for (std::size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>((i * 131 + i / 251) % 256);
  return bytes;
}

// Written in pieces as the library does, then read back from the start.
std::string round_trip(FILE* part, const std::string& bytes) {
  for (std::size_t at = 0; at < bytes.size(); at += 10000)
    std::fwrite(bytes.data() + at, 1, std::min<std::size_t>(10000, bytes.size() - at), part);
  std::fflush(part);
  std::rewind(part);
  std::string back(bytes.size() + 1, '\0');
  back.resize(std::fread(back.data(), 1, back.size(), part));
  return back;
}

TEST(PartStreams, SmallAndLargePartsReadBackWholeAndLeaveNoFile) {
  test::TempDir dir;
  std::string folder = dir.path().string();
  for (std::size_t size : {std::size_t{0}, std::size_t{1000}, std::size_t{3} << 20}) {
    part_streams_forget();
    FILE* part = part_stream_open(folder.data());
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(round_trip(part, pattern(size)), pattern(size)) << size;
    std::fclose(part);
    EXPECT_EQ(part_streams_failure(), 0) << size;
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir.path()));
}

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

TEST(PartStreams, AWorkbookWithAPartLostFailsWithTheSystemsReason) {
  test::TempDir dir;
  ReportSheet sheet;
  // About 40 bytes of worksheet XML a row: far beyond what stays in memory.
  for (int row = 1; row <= 20000; ++row) sheet.set_number(row, 1, row * 0.001);
  ZipBytes zip;
  Result<void> written = xlsx_write_report(sheet, 981173106, dir.file("missing"), zip);
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.error().kind, ProblemKind::write_failed);
  EXPECT_EQ(written.error().sys_errno, ENOENT);
  EXPECT_EQ(problem_text(written.error()),
            std::string("writing the workbook failed: ") + std::strerror(ENOENT));

  ReportSheet small;
  small.set_text(1, 1, "kept in memory");
  ZipBytes small_zip;
  EXPECT_TRUE(xlsx_write_report(small, 981173106, dir.file("missing"), small_zip).ok());
}

}  // namespace
}  // namespace ordelix
