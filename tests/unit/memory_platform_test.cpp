// The memory platform, the browser's: files are what the front end puts in
// its table, folders what the table's paths name, and a save lands there.

#include <cerrno>
#include <cstdio>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion.h"
#include "platform/folders.h"
#include "platform/input_file.h"
#include "platform/memory/memory_files.h"
#include "platform/output.h"
#include "platform/part_streams.h"
#include "platform/paths.h"
#include "platform/staged_file.h"
#include "save/report_save.h"
#include "test_support.h"
#include "zip/zip_check.h"

namespace ordelix {
namespace {

using test::pattern;
using test::round_trip;

class MemoryPlatform : public ::testing::Test {
 protected:
  MemoryPlatform() { memory_files_clear(); }
  ~MemoryPlatform() override { memory_files_clear(); }

  static void put(const std::string& path, const std::string& bytes, std::time_t created = 0) {
    ASSERT_TRUE(memory_file_put(path, bytes, created).ok()) << path;
  }
};

std::vector<std::string> listed(const std::string& folder) {
  std::vector<std::string> names;
  Result<std::vector<FolderEntry>> entries = folder_entries(folder);
  EXPECT_TRUE(entries.ok()) << folder;
  if (!entries) return names;
  for (const FolderEntry& entry : entries.value())
    names.push_back(entry.name + (entry.kind == EntryKind::folder ? "/" : ""));
  return names;
}

TEST_F(MemoryPlatform, AFileReadsBackWithItsTimeUpToItsLimit) {
  put("in/a.PRO", "1\r\n2\r\n", 981173106);
  Result<InputFile> read = input_file_read("in/a.PRO", 6);
  ASSERT_TRUE(read.ok());
  EXPECT_EQ(read->bytes, "1\r\n2\r\n");
  EXPECT_EQ(read->created, 981173106);
  EXPECT_TRUE(input_file_read("/in/./x/../a.PRO", 6).ok()) << "one file by any spelling";

  Result<InputFile> large = input_file_read("in/a.PRO", 5);
  ASSERT_FALSE(large.ok());
  EXPECT_EQ(large.error().kind, ProblemKind::too_large);
}

TEST_F(MemoryPlatform, WhatIsNoFileIsNotRead) {
  put("in/a.PRO", "x");
  Result<InputFile> missing = input_file_read("in/b.PRO", 100);
  ASSERT_FALSE(missing.ok());
  EXPECT_EQ(missing.error().kind, ProblemKind::cannot_open);
  EXPECT_EQ(missing.error().sys_errno, ENOENT);
  Result<InputFile> folder = input_file_read("in", 100);
  ASSERT_FALSE(folder.ok());
  EXPECT_EQ(folder.error().kind, ProblemKind::is_folder);
}

TEST_F(MemoryPlatform, PathsAreTheTablesFilesAndFolders) {
  put("in/sub/a.PRO", "x");
  EXPECT_EQ(path_kind("in/sub/a.PRO"), PathKind::regular);
  EXPECT_EQ(path_kind("in/sub"), PathKind::folder);
  EXPECT_EQ(path_kind("in/"), PathKind::folder);
  EXPECT_EQ(path_kind("in/b.PRO"), PathKind::none);
  EXPECT_TRUE(is_folder(temp_folder()));
  EXPECT_TRUE(is_folder("."));
  EXPECT_TRUE(paths_same_file("in/sub/a.PRO", "/in/./sub/../sub/a.PRO"));
  EXPECT_FALSE(paths_same_file("in/b.PRO", "in/b.PRO")) << "no file is there";
  EXPECT_EQ(path_identities({"in//sub/../a.PRO"}), std::vector<std::string>{"/in/a.PRO"});
  EXPECT_EQ(path_folder("in/a.PRO"), "in");
  EXPECT_EQ(path_with_extension("in/a.PRO", ".xlsx"), "in/a.xlsx");
}

TEST_F(MemoryPlatform, AFolderListsWhatItHoldsByNameHiddenOnesLeftOut) {
  put("in/b.PRO", "x");
  put("in/a.NUC", "x");
  put("in/.hidden.PRO", "x");
  put("in/sub/deeper/c.PRO", "x");
  ASSERT_TRUE(folder_make("in/empty").ok());
  EXPECT_EQ(listed("in"), (std::vector<std::string>{"a.NUC", "b.PRO", "empty/", "sub/"}));
  EXPECT_EQ(listed("in/sub"), (std::vector<std::string>{"deeper/"}));
  EXPECT_EQ(listed("/"), (std::vector<std::string>{"in/", "tmp/"}));

  for (const char* not_folder : {"in/b.PRO", "out"}) {
    Result<std::vector<FolderEntry>> entries = folder_entries(not_folder);
    ASSERT_FALSE(entries.ok()) << not_folder;
    EXPECT_EQ(entries.error().kind, ProblemKind::cannot_read_folder);
  }
}

TEST_F(MemoryPlatform, NoFolderWhereAFileStands) {
  put("in/a.PRO", "x");
  Result<void> made = folder_make("in/a.PRO/sub");
  ASSERT_FALSE(made.ok());
  EXPECT_EQ(made.error().kind, ProblemKind::cannot_create_folder);
  EXPECT_EQ(made.error().sys_errno, ENOTDIR);
  EXPECT_FALSE(memory_file_put("in/a.PRO/b.PRO", "x", 0).ok());
  EXPECT_FALSE(memory_file_put("in", "x", 0).ok()) << "a folder stands there";
  EXPECT_TRUE(folder_make("out/a/b").ok());
  EXPECT_TRUE(is_folder("out/a"));
}

TEST_F(MemoryPlatform, AStagedFileIsNothingInTheTableUntilPlaced) {
  ASSERT_TRUE(folder_make("out").ok());
  Result<StagedFile> staged = StagedFile::create("out");
  ASSERT_TRUE(staged.ok());
  EXPECT_FALSE(staged->named());
  ASSERT_TRUE(staged->write_at(0, "abc").ok());
  ASSERT_TRUE(staged->write_at(5, "fg").ok());
  char back[10] = {};
  ASSERT_EQ(staged->read_at(1, back, sizeof back).value(), 6u);
  EXPECT_EQ(std::string(back, 6), std::string("bc\0\0fg", 6)) << "a gap reads as zeros";
  EXPECT_EQ(staged->read_at(9, back, sizeof back).value(), 0u);
  EXPECT_EQ(listed("out"), std::vector<std::string>{});

  ASSERT_TRUE(staged->place("out/r.xlsx", false).ok());
  EXPECT_EQ(memory_file_take("out/r.xlsx"), std::string("abc\0\0fg", 7));
  EXPECT_EQ(path_kind("out/r.xlsx"), PathKind::none) << "taken out";
}

TEST_F(MemoryPlatform, APlacedFileReplacesOnlyWhenAskedAndKeepsItsBytesWhenItCannot) {
  put("out/r.xlsx", "old");
  Result<StagedFile> staged = StagedFile::create("out");
  ASSERT_TRUE(staged.ok());
  ASSERT_TRUE(staged->write_at(0, "new").ok());
  Result<void> kept = staged->place("out/r.xlsx", false);
  ASSERT_FALSE(kept.ok());
  EXPECT_EQ(kept.error().kind, ProblemKind::target_exists);
  Result<void> no_folder = staged->place("gone/r.xlsx", true);
  ASSERT_FALSE(no_folder.ok());
  EXPECT_EQ(no_folder.error().kind, ProblemKind::cannot_place);
  ASSERT_TRUE(staged->place("out/r.xlsx", true).ok());
  EXPECT_EQ(memory_file_take("out/r.xlsx"), "new");

  Result<StagedFile> nowhere = StagedFile::create("gone");
  ASSERT_FALSE(nowhere.ok());
  EXPECT_EQ(nowhere.error().kind, ProblemKind::cannot_create);
}

TEST_F(MemoryPlatform, ClearingLeavesTheRootAndTheTemporaryFolder) {
  put("in/a.PRO", "x");
  memory_files_clear();
  EXPECT_EQ(listed("/"), (std::vector<std::string>{"tmp/"}));
  EXPECT_EQ(memory_file_take("in/a.PRO"), std::nullopt);
}

TEST_F(MemoryPlatform, PartsGrowIntoStagedFilesOfTheirFolder) {
  for (std::size_t size : {std::size_t{1000}, std::size_t{1} << 20}) {
    part_streams_forget();
    FILE* part = part_stream_open(const_cast<char*>("/tmp"));
    ASSERT_NE(part, nullptr);
    EXPECT_EQ(round_trip(part, pattern(size)), pattern(size)) << size;
    std::fclose(part);
    EXPECT_EQ(part_streams_failure(), 0) << size;
  }
  EXPECT_EQ(listed("/tmp"), std::vector<std::string>{}) << "never placed";

  part_streams_forget();
  FILE* lost = part_stream_open(const_cast<char*>("/missing"));
  round_trip(lost, pattern(std::size_t{1} << 20));
  std::fclose(lost);
  EXPECT_EQ(part_streams_failure(), ENOENT);
}

TEST_F(MemoryPlatform, NoOutputIsHeldOpen) {
  Result<void> written = output_write(1, "x");
  ASSERT_FALSE(written.ok());
  EXPECT_EQ(written.error().kind, ProblemKind::stdout_failed);
  EXPECT_EQ(written.error().sys_errno, EBADF);
}

// A K-factor protein file of two samples, as the instrument ends its lines.
std::string k_factor_file() {
  std::string bytes;
  for (const char* line :
       {"2",    "0",   "2", "G", "3",     "2",     "3",      "0", "1",     "1",     "750",
        "0.05", "2.5", "2", "1", "0.321", "0.321", "0.8525", "2", "0.467", "0.467", "1.2175"})
    bytes += std::string(line) + "\r\n";
  return bytes;
}

TEST_F(MemoryPlatform, AReportIsConvertedAndSavedWithinTheTable) {
  put("in/k.PRO", k_factor_file(), 981173106);
  Result<Conversion> conversion = convert_export_file("in/k.PRO");
  ASSERT_TRUE(conversion.ok()) << problem_text(conversion.error());
  EXPECT_EQ(conversion->created, 981173106);
  SaveOptions options;
  options.input_path = "in/k.PRO";
  options.created = conversion->created;
  ASSERT_TRUE(report_save(conversion->sheet, "in/k.xlsx", options).ok());

  Result<void> again = report_save(conversion->sheet, "in/k.xlsx", options);
  ASSERT_FALSE(again.ok());
  EXPECT_EQ(again.error().kind, ProblemKind::target_exists);
  Result<void> over_input = report_save(conversion->sheet, "/in/./k.PRO", options);
  ASSERT_FALSE(over_input.ok());
  EXPECT_EQ(over_input.error().kind, ProblemKind::target_is_input);

  std::optional<std::string> workbook = memory_file_take("in/k.xlsx");
  ASSERT_TRUE(workbook);
  EXPECT_TRUE(zip_check(ZipBytes(*workbook)).ok());
  EXPECT_EQ(workbook->substr(0, 2), "PK");
}

}  // namespace
}  // namespace ordelix
