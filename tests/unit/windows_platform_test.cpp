// What the Windows platform gives the core: paths as a Windows user writes
// them, names in any script, paths beyond 260 characters, the devices every
// folder seems to hold, reports another program holds open, creation times
// and hidden files. POSIX's counterparts are in posix_platform_test.cpp.

#include <io.h>
#include <windows.h>

#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "core/conversion.h"
#include "platform/file_stamp.h"
#include "platform/folders.h"
#include "platform/input_file.h"
#include "platform/part_streams.h"
#include "platform/paths.h"
#include "platform/staged_file.h"
#include "save/report_save.h"
#include "test_support.h"
#include "xlsx/xlsx_writer.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;
using test::is_workbook;
using test::names_in;
using Names = std::vector<std::string>;

constexpr std::size_t max_bytes = 1 << 20;

// The core holds names as UTF-8; std::filesystem turns them to UTF-16 on its own.
fs::path path_of(const std::string& utf8) {
  return fs::path(std::u8string(utf8.begin(), utf8.end()));
}

std::string utf8_of(const fs::path& path) {
  std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

DWORD attributes_of(const std::string& path) {
  return GetFileAttributesW(test::unlimited(path_of(path)).c_str());
}

// A K-factor protein export file of two samples.
std::string export_bytes() {
  std::string bytes;
  for (const char* line :
       {"2",    "0",   "2", "SET-7", "3",     "2",     "3",      "0", "1",     "1",     "750",
        "0.05", "2.5", "2", "1",     "0.321", "0.321", "0.8525", "2", "0.467", "0.467", "1.2175"})
    bytes += std::string(line) + "\r\n";
  return bytes;
}

void write_file(const std::string& path, const std::string& bytes) {
  std::ofstream(test::unlimited(path_of(path)), std::ios::binary) << bytes;
  ASSERT_NE(attributes_of(path), INVALID_FILE_ATTRIBUTES) << path;
}

std::string read_file(const std::string& path) {
  std::ifstream in(test::unlimited(path_of(path)), std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

ReportSheet small_sheet() {
  ReportSheet sheet;
  sheet.set_text(1, 1, "Method                ");
  sheet.set_number(5, 4, 0.5);
  return sheet;
}

std::vector<std::pair<std::string, EntryKind>> listed(const std::string& folder) {
  Result<std::vector<FolderEntry>> entries = folder_entries(folder);
  EXPECT_TRUE(entries.ok()) << problem_text(entries.error());
  std::vector<std::pair<std::string, EntryKind>> found;
  if (entries)
    for (const FolderEntry& entry : entries.value()) found.emplace_back(entry.name, entry.kind);
  return found;
}

TEST(WindowsPaths, JoinedWithWindowsSeparatorKeepingWhatTheUserTyped) {
  EXPECT_EQ(path_join("C:\\runs", "a.PRO"), "C:\\runs\\a.PRO");
  EXPECT_EQ(path_join("C:\\runs\\", "a.PRO"), "C:\\runs\\a.PRO");
  EXPECT_EQ(path_join("Z:/x/", "run.PRO"), "Z:/x/run.PRO");
  // Windows reads either separator: what the user typed stays as typed.
  EXPECT_EQ(path_join("Z:/x", "run.PRO"), "Z:/x\\run.PRO");
  EXPECT_EQ(path_join("C:\\", "a.PRO"), "C:\\a.PRO");
  // "D:" alone is the current folder of drive D, not its root.
  EXPECT_EQ(path_join("D:", "a.PRO"), "D:a.PRO");
  EXPECT_EQ(path_join("runs", "day1\\z.CON"), "runs\\day1\\z.CON");
  EXPECT_EQ(path_join("\\\\server\\share", "c.PRO"), "\\\\server\\share\\c.PRO");
}

TEST(WindowsPaths, NamesAndFoldersTakenApartAtEitherSeparatorAndDrive) {
  EXPECT_EQ(path_file_name("C:\\runs\\a.PRO"), "a.PRO");
  EXPECT_EQ(path_file_name("Z:/x/run.PRO"), "run.PRO");
  EXPECT_EQ(path_file_name("C:\\runs/day 1\\b.NUC"), "b.NUC");
  EXPECT_EQ(path_file_name("D:a.PRO"), "a.PRO");
  EXPECT_EQ(path_file_name("\\\\server\\share\\c.PRO"), "c.PRO");
  EXPECT_EQ(path_file_name("C:\\runs\\"), "");
  EXPECT_EQ(path_file_name("Z:/x/"), "");
  EXPECT_EQ(path_file_name("D:"), "");

  EXPECT_EQ(path_folder("C:\\runs\\a.PRO"), "C:\\runs");
  EXPECT_EQ(path_folder("Z:/x/run.PRO"), "Z:/x");
  EXPECT_EQ(path_folder("C:\\runs/day 1\\b.NUC"), "C:\\runs/day 1");
  EXPECT_EQ(path_folder("C:\\a.PRO"), "C:\\");
  EXPECT_EQ(path_folder("D:a.PRO"), "D:");
  EXPECT_EQ(path_folder("\\\\server\\share\\c.PRO"), "\\\\server\\share");
  EXPECT_EQ(path_folder("a.PRO"), ".");
}

TEST(WindowsPaths, ExtensionReplacedInTheLastNameOnly) {
  EXPECT_EQ(path_with_extension("D:/x/run.PRO", ".xlsx"), "D:/x/run.xlsx");
  EXPECT_EQ(path_with_extension("C:\\runs\\a.PRO", ".xlsx"), "C:\\runs\\a.xlsx");
  EXPECT_EQ(path_with_extension("C:\\runs.d\\run", ".xlsx"), "C:\\runs.d\\run.xlsx");
  EXPECT_EQ(path_with_extension("Z:/x.y/run", ".xlsx"), "Z:/x.y/run.xlsx");
  EXPECT_EQ(path_with_extension("C:\\runs\\.PRO", ".xlsx"), "C:\\runs\\.PRO.xlsx");
  EXPECT_EQ(path_with_extension("D:run.tar.PRO", ".xlsx"), "D:run.tar.xlsx");
}

TEST(WindowsPaths, NamesInAnyScriptComeBackAsTheyWent) {
  std::string path = "C:\\Läufe\\Messung µg ü 測定.PRO";
  EXPECT_EQ(path_file_name(path), "Messung µg ü 測定.PRO");
  EXPECT_EQ(path_folder(path), "C:\\Läufe");
  EXPECT_EQ(path_with_extension(path, ".xlsx"), "C:\\Läufe\\Messung µg ü 測定.xlsx");
  EXPECT_EQ(path_join("C:\\Läufe", "測定.PRO"), "C:\\Läufe\\測定.PRO");
}

TEST(WindowsUnicodeNames, AFileIsListedReadAndItsReportSavedUnderItsOwnName) {
  test::TempDir dir;
  std::string folder = utf8_of(dir.path()) + "\\Läufe 測定";
  ASSERT_TRUE(folder_make(folder).ok());
  EXPECT_TRUE(fs::is_directory(dir.path() / L"Läufe 測定"));
  std::ofstream(dir.path() / L"Läufe 測定" / L"Messung µg ü 測定.PRO", std::ios::binary)
      << export_bytes();

  EXPECT_EQ(listed(folder), (std::vector<std::pair<std::string, EntryKind>>{
                                {"Messung µg ü 測定.PRO", EntryKind::regular}}));
  std::string input = folder + "\\Messung µg ü 測定.PRO";
  Result<InputFile> read = input_file_read(input, max_bytes);
  ASSERT_TRUE(read.ok()) << problem_text(read.error());
  EXPECT_EQ(read->bytes, export_bytes());

  Conversion c = test::converted(convert_export_file(input));
  Result<void> saved = report_save(c.sheet, path_with_extension(input, ".xlsx"), {});
  ASSERT_TRUE(saved.ok()) << problem_text(saved.error());
  fs::path report = dir.path() / L"Läufe 測定" / L"Messung µg ü 測定.xlsx";
  ASSERT_TRUE(fs::is_regular_file(report));
  EXPECT_EQ(read_file(utf8_of(report)).substr(0, 4), "PK\x03\x04");
  EXPECT_EQ(names_in(dir.path() / L"Läufe 測定"),
            (Names{"Messung µg ü 測定.PRO", "Messung µg ü 測定.xlsx"}));
}

// Taken down name by name, deepest first: MinGW's std::filesystem reads no
// folder beyond 260 characters, so TempDir cannot.
class RemovedAtEnd {
 public:
  RemovedAtEnd() = default;
  RemovedAtEnd(const RemovedAtEnd&) = delete;
  RemovedAtEnd& operator=(const RemovedAtEnd&) = delete;
  ~RemovedAtEnd() {
    std::error_code ec;
    for (auto path = paths_.rbegin(); path != paths_.rend(); ++path)
      fs::remove(test::unlimited(path_of(*path)), ec);
  }
  const std::string& operator()(const std::string& path) { return paths_.emplace_back(path); }

 private:
  std::vector<std::string> paths_;
};

TEST(WindowsLongPaths, FoldersFilesAndReportsBeyond260Characters) {
  test::TempDir dir;
  RemovedAtEnd removed;
  std::string deep = utf8_of(dir.path());
  for (char level = 'a'; level <= 'f'; ++level) removed(deep += "\\" + std::string(50, level));
  ASSERT_GT(deep.size(), 360u);

  ASSERT_TRUE(folder_make(deep).ok());
  EXPECT_TRUE(attributes_of(deep) & FILE_ATTRIBUTE_DIRECTORY);
  EXPECT_EQ(path_kind(deep), PathKind::folder);
  EXPECT_TRUE(is_folder(deep));

  std::string input = removed(deep + "\\run.PRO");
  write_file(input, export_bytes());
  Result<InputFile> read = input_file_read(input, max_bytes);
  ASSERT_TRUE(read.ok()) << problem_text(read.error());
  EXPECT_EQ(read->bytes, export_bytes());
  EXPECT_EQ(path_kind(input), PathKind::regular);

  Conversion c = test::converted(convert_export_file(input));
  std::string report = removed(path_with_extension(input, ".xlsx"));
  EXPECT_EQ(report, deep + "\\run.xlsx");
  SaveOptions options;
  options.input_path = input;
  Result<void> saved = report_save(c.sheet, report, options);
  ASSERT_TRUE(saved.ok()) << problem_text(saved.error());
  EXPECT_EQ(read_file(report).substr(0, 4), "PK\x03\x04");
  options.replace_existing = true;
  saved = report_save(c.sheet, report, options);
  ASSERT_TRUE(saved.ok()) << problem_text(saved.error());
  EXPECT_EQ(listed(deep), (std::vector<std::pair<std::string, EntryKind>>{
                              {"run.PRO", EntryKind::regular}, {"run.xlsx", EntryKind::regular}}));
}

// CON, NUL, COM1 ... stand in every folder, whatever the extension: opening
// one opens the device, and reading CON would wait for the keyboard.
TEST(WindowsDevices, ANameOfADeviceIsNeverReadNorWritten) {
  test::TempDir dir;
  std::string here = utf8_of(dir.path());
  for (std::string folder :
       {here + "\\", std::string("Z:\\nowhere\\"), std::string("Z:/nowhere/"), std::string()})
    for (const char* name :
         {"CON", "NUL", "com1.PRO", "LPT1.xlsx", "nul.txt", "Aux.NUC", "prn.tar.gz", "COM9"}) {
      std::string path = folder + name;
      SCOPED_TRACE(path);
      Result<InputFile> read = input_file_read(path, max_bytes);
      ASSERT_FALSE(read.ok());
      EXPECT_EQ(read.error().kind, ProblemKind::not_regular);
      EXPECT_EQ(path_kind(path), PathKind::other);
      EXPECT_FALSE(is_folder(path));
    }

  // Names that only begin like a device's are files like any other.
  for (const char* name :
       {"CONSOLE.PRO", "com10.PRO", "nul-runs.PRO", "LPT.PRO", "auxiliary.NUC"}) {
    std::string path = here + "\\" + name;
    SCOPED_TRACE(path);
    write_file(path, export_bytes());
    Result<InputFile> read = input_file_read(path, max_bytes);
    ASSERT_TRUE(read.ok()) << problem_text(read.error());
    EXPECT_EQ(read->bytes, export_bytes());
    EXPECT_EQ(path_kind(path), PathKind::regular);
  }

  Result<Conversion> c = convert_export_file(here + "\\com1.PRO");
  ASSERT_FALSE(c.ok());
  EXPECT_EQ(c.error().kind, ProblemKind::not_regular);

  ReportSheet sheet = small_sheet();
  SaveOptions replace;
  replace.replace_existing = true;
  for (const char* name : {"NUL.xlsx", "lpt1.xlsx", "CON.xlsx"})
    for (const SaveOptions& options : {SaveOptions{}, replace}) {
      SCOPED_TRACE(name);
      Result<void> r = report_save(sheet, here + "\\" + name, options);
      ASSERT_FALSE(r.ok());
      EXPECT_EQ(r.error().kind, ProblemKind::target_not_regular);
    }
  EXPECT_EQ(names_in(dir.path()),
            (Names{"CONSOLE.PRO", "LPT.PRO", "auxiliary.NUC", "com10.PRO", "nul-runs.PRO"}));
}

// A file under a device's name, made through the long form of its path,
// shows in its folder as no file to read.
TEST(WindowsFolderEntries, HiddenEntriesAreLeftOutAndADeviceNameIsNoFile) {
  test::TempDir dir;
  std::string folder = utf8_of(dir.path());
  for (const char* name : {"a.PRO", ".dot.PRO", "hidden.PRO"})
    write_file(folder + "\\" + name, export_bytes());
  fs::create_directory(dir.path() / "sub");
  fs::create_directory(dir.path() / "hidden folder");
  for (const char* name : {"hidden.PRO", "hidden folder"}) {
    std::string path = folder + "\\" + name;
    ASSERT_TRUE(SetFileAttributesW(path_of(path).c_str(), FILE_ATTRIBUTE_HIDDEN));
    ASSERT_TRUE(attributes_of(path) & FILE_ATTRIBUTE_HIDDEN) << name;
  }
  test::make_unreadable_export_entry(dir.path());

  EXPECT_EQ(listed(folder),
            (std::vector<std::pair<std::string, EntryKind>>{{"a.PRO", EntryKind::regular},
                                                            {"com1.PRO", EntryKind::other},
                                                            {"sub", EntryKind::folder}}));
}

// Held as a spreadsheet program holds a workbook it shows: open to no one
// else, unless told what others may do meanwhile.
class HeldOpen {
 public:
  explicit HeldOpen(const std::string& path, DWORD others_may = 0,
                    DWORD access = GENERIC_READ | GENERIC_WRITE)
      : handle_(CreateFileW(path_of(path).c_str(), access, others_may, nullptr, OPEN_EXISTING,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
  ~HeldOpen() {
    if (held()) CloseHandle(handle_);
  }
  HeldOpen(const HeldOpen&) = delete;
  HeldOpen& operator=(const HeldOpen&) = delete;
  bool held() const { return handle_ != INVALID_HANDLE_VALUE; }

 private:
  HANDLE handle_;
};

TEST(WindowsReportSave, AReportOpenInAnotherProgramStandsAndNothingIsLeftBeside) {
  test::TempDir dir;
  ReportSheet sheet = small_sheet();
  std::string target = dir.file("report.xlsx");
  test::write_bytes(target, "earlier report");
  SaveOptions replace;
  replace.replace_existing = true;
  {
    HeldOpen other_program(target);
    ASSERT_TRUE(other_program.held());
    Result<void> r = report_save(sheet, target, replace);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().kind, ProblemKind::target_in_use);
    EXPECT_FALSE(problem_text(r.error()).empty());
    r = report_save(sheet, target, {});
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().kind, ProblemKind::target_exists);
    EXPECT_EQ(names_in(dir.path()), Names{"report.xlsx"});
  }
  EXPECT_EQ(test::read_bytes(target), "earlier report");
  EXPECT_EQ(names_in(dir.path()), Names{"report.xlsx"});

  Result<void> r = report_save(sheet, target, replace);
  ASSERT_TRUE(r.ok()) << problem_text(r.error());
  EXPECT_TRUE(is_workbook(target));
}

// ReplaceFileW moves the old report aside before the new one takes its name;
// whatever it says, the report's name ends holding one of them and nothing
// else stands beside. Wine fails only before it moves a file, so the
// outcomes past that are checked by their codes (windows_place_failure_test).
TEST(WindowsReportReplace, AReportHeldWithoutSharingItsDeletionStandsAsItWas) {
  for (DWORD others_may :
       {DWORD{0}, DWORD{FILE_SHARE_READ}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE}}) {
    SCOPED_TRACE(others_may);
    test::TempDir dir;
    std::string target = dir.file("report.xlsx");
    test::write_bytes(target, "earlier report");
    SaveOptions replace;
    replace.replace_existing = true;
    {
      HeldOpen other_program(target, others_may);
      ASSERT_TRUE(other_program.held());
      Result<void> r = report_save(small_sheet(), target, replace);
      ASSERT_FALSE(r.ok());
      EXPECT_EQ(r.error().kind, ProblemKind::target_in_use);
      EXPECT_EQ(problem_text(r.error()),
                "the report file is in use by another program: close it and run again");
      EXPECT_EQ(names_in(dir.path()), Names{"report.xlsx"});
    }
    EXPECT_EQ(test::read_bytes(target), "earlier report");
  }
}

TEST(WindowsReportReplace, AReportHeldSharingItsDeletionIsReplacedAndTheOldOneGoes) {
  test::TempDir dir;
  std::string target = dir.file("report.xlsx");
  test::write_bytes(target, "earlier report");
  SaveOptions replace;
  replace.replace_existing = true;
  {
    HeldOpen viewer(target, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE);
    ASSERT_TRUE(viewer.held());
    Result<void> r = report_save(small_sheet(), target, replace);
    ASSERT_TRUE(r.ok()) << problem_text(r.error());
    EXPECT_TRUE(is_workbook(target));
  }
  EXPECT_EQ(names_in(dir.path()), Names{"report.xlsx"});
}

// Written, flushed and then held by another program (a virus scanner
// reading new files, say) when it is to take the report's name.
TEST(WindowsReportReplace, ANewReportHeldElsewhereLeavesTheOldOneAndThenGoes) {
  test::TempDir dir;
  std::string target = dir.file("report.xlsx");
  test::write_bytes(target, "earlier report");
  {
    Result<StagedFile> staged = StagedFile::create(utf8_of(dir.path()), StagedFile::Naming::named);
    ASSERT_TRUE(staged.ok()) << problem_text(staged.error());
    ASSERT_TRUE(staged->write_at(0, "new report").ok());
    ASSERT_TRUE(staged->sync().ok());
    Names names = names_in(dir.path());
    ASSERT_EQ(names.size(), 2u);
    ASSERT_TRUE(names[0].starts_with(".ordelix-")) << names[0];
    HeldOpen scanner(dir.file(names[0]), FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                     GENERIC_READ);
    ASSERT_TRUE(scanner.held());
    Result<void> placed = staged->place(target, true);
    ASSERT_FALSE(placed.ok());
    EXPECT_EQ(placed.error().kind, ProblemKind::target_in_use);
    EXPECT_EQ(test::read_bytes(target), "earlier report");
  }
  EXPECT_EQ(names_in(dir.path()), Names{"report.xlsx"});
}

// Gone between the check of the name and the replace, as when another
// program deletes it: the name is free, and the new report takes it.
TEST(WindowsReportReplace, AReportGoneBeforeItIsReplacedLeavesTheNameToTheNewOne) {
  test::TempDir dir;
  std::string target = dir.file("report.xlsx");
  {
    Result<StagedFile> staged = StagedFile::create(utf8_of(dir.path()), StagedFile::Naming::named);
    ASSERT_TRUE(staged.ok()) << problem_text(staged.error());
    ASSERT_TRUE(staged->write_at(0, "new report").ok());
    ASSERT_TRUE(staged->sync().ok());
    Result<void> placed = staged->place(target, true);
    ASSERT_TRUE(placed.ok()) << problem_text(placed.error());
  }
  EXPECT_EQ(test::read_bytes(target), "new report");
  EXPECT_EQ(names_in(dir.path()), Names{"report.xlsx"});
}

// The report is written under a hidden name first: the name it ends under
// must not stay hidden.
TEST(WindowsReportSave, AReportIsReplacedOnlyWhenAskedAndNeverLeftHidden) {
  test::TempDir dir;
  ReportSheet sheet = small_sheet();
  std::string target = dir.file("report.xlsx");
  Result<void> r = report_save(sheet, target, {});
  ASSERT_TRUE(r.ok()) << problem_text(r.error());
  EXPECT_FALSE(attributes_of(target) & FILE_ATTRIBUTE_HIDDEN);

  test::write_bytes(target, "earlier report");
  r = report_save(sheet, target, {});
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().kind, ProblemKind::target_exists);
  EXPECT_EQ(test::read_bytes(target), "earlier report");

  SaveOptions replace;
  replace.replace_existing = true;
  for (const std::string& spelled : {target, utf8_of(dir.path()) + "/report.xlsx"}) {
    SCOPED_TRACE(spelled);
    test::write_bytes(target, "earlier report");
    r = report_save(sheet, spelled, replace);
    ASSERT_TRUE(r.ok()) << problem_text(r.error());
    EXPECT_TRUE(is_workbook(target));
    EXPECT_FALSE(attributes_of(target) & FILE_ATTRIBUTE_HIDDEN);
    EXPECT_EQ(names_in(dir.path()), Names{"report.xlsx"});
  }
}

// Names differ in case and separators, not the file they name.
TEST(WindowsReportSave, NeverWritesOverTheInputFileHoweverItIsSpelled) {
  test::TempDir dir;
  std::string folder = utf8_of(dir.path());
  std::string input = folder + "\\run.PRO";
  test::write_bytes(input, "2\r\n0\r\n1\r\n");
  SaveOptions options;
  options.replace_existing = true;
  options.input_path = input;
  for (const std::string& target :
       {folder + "\\RUN.pro", folder + "/run.PRO", folder + "\\.\\Run.Pro", input + " "}) {
    SCOPED_TRACE(target);
    Result<void> r = report_save(small_sheet(), target, options);
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.error().kind, ProblemKind::target_is_input);
    EXPECT_EQ(test::read_bytes(input), "2\r\n0\r\n1\r\n");
  }
  EXPECT_EQ(names_in(dir.path()), Names{"run.PRO"});
}

TEST(WindowsFolders, FolderMakeTakesEitherSeparatorAndStopsAtAFile) {
  test::TempDir dir;
  std::string base = utf8_of(dir.path());
  ASSERT_TRUE(folder_make(base + "/out/day 1\\plate 2").ok());
  EXPECT_TRUE(fs::is_directory(dir.path() / "out" / "day 1" / "plate 2"));
  EXPECT_TRUE(folder_make(base + "\\out\\day 1\\").ok()) << "made already";

  test::write_bytes(dir.file("plain.txt"), "x");
  Result<void> r = folder_make(base + "\\plain.txt\\sub");
  ASSERT_FALSE(r.ok());
  EXPECT_EQ(r.error().kind, ProblemKind::cannot_create_folder);
  EXPECT_EQ(r.error().sys_errno, ENOTDIR);
  EXPECT_EQ(test::read_bytes(dir.file("plain.txt")), "x");
}

FILETIME file_time(long long ticks_since_1601) {
  return FILETIME{static_cast<DWORD>(ticks_since_1601), static_cast<DWORD>(ticks_since_1601 >> 32)};
}

// 100 ns ticks from 1601 to 1970.
constexpr long long ticks_to_1970 = 116444736000000000LL;
constexpr long long ticks_per_second = 10000000LL;

TEST(WindowsInputFile, CreatedIsTheFilesCreationTime) {
  test::TempDir dir;
  std::string path = dir.file("run.PRO");
  test::write_bytes(path, export_bytes());
  // 2021-06-15 12:34:56 UTC, and the same with three quarters of a second;
  // half a second before 1970 lies in its last second.
  struct Case {
    long long ticks;
    std::time_t created;
  };
  for (Case c : {Case{1623760496 * ticks_per_second + ticks_to_1970, 1623760496},
                 Case{1623760496 * ticks_per_second + 7500000 + ticks_to_1970, 1623760496},
                 Case{ticks_to_1970 - 5000000, -1}}) {
    SCOPED_TRACE(c.created);
    FILETIME set = file_time(c.ticks);
    FILETIME kept{};
    {
      HANDLE file = CreateFileW(path_of(path).c_str(), FILE_WRITE_ATTRIBUTES | FILE_READ_ATTRIBUTES,
                                FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
      ASSERT_NE(file, INVALID_HANDLE_VALUE);
      EXPECT_TRUE(SetFileTime(file, &set, nullptr, nullptr));
      EXPECT_TRUE(GetFileTime(file, &kept, nullptr, nullptr));
      CloseHandle(file);
    }
    if (kept.dwLowDateTime != set.dwLowDateTime || kept.dwHighDateTime != set.dwHighDateTime)
      GTEST_SKIP() << "this system keeps no creation time set by hand (wine keeps Linux's own)";
    Result<InputFile> read = input_file_read(path, max_bytes);
    ASSERT_TRUE(read.ok()) << problem_text(read.error());
    EXPECT_EQ(read->created, c.created);
  }
}

// The path of an open part, from its stream.
std::wstring path_of_part(FILE* part) {
  HANDLE file = reinterpret_cast<HANDLE>(_get_osfhandle(_fileno(part)));
  std::wstring path(32768, L'\0');
  DWORD n = GetFinalPathNameByHandleW(file, path.data(), static_cast<DWORD>(path.size()),
                                      FILE_NAME_NORMALIZED);
  path.resize(n < path.size() ? n : 0);
  return path;
}

// Parts go to the user's temporary folder whatever folder the workbook
// names, and the system deletes each when it is closed.
// A file that a program still writes, sharing only its reading as programs
// saving a file do, is not read by a watch.
TEST(WindowsFileStamp, AFileHeldOpenToWriteIsBeingWritten) {
  test::TempDir dir;
  std::string file = dir.file("a.PRO");
  test::write_bytes(file, "2\r\n");
  HANDLE writer = CreateFileW(path_of(file).c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(writer, INVALID_HANDLE_VALUE);
  EXPECT_TRUE(file_open_for_writing(file));
  CloseHandle(writer);
  HANDLE reader = CreateFileW(path_of(file).c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr,
                              OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(file_open_for_writing(file)) << "another reader writes nothing";
  CloseHandle(reader);
}

TEST(WindowsPartStreams, APartIsAFileInTheTemporaryFolderOnlyWhileOpen) {
  test::TempDir dir;
  std::string missing = dir.file("missing");
  FILE* part = part_stream_open(missing.data());
  ASSERT_NE(part, nullptr);
  EXPECT_EQ(test::round_trip(part, test::pattern(std::size_t{3} << 20)),
            test::pattern(std::size_t{3} << 20));
  fs::path open_part = path_of_part(part);
  ASSERT_FALSE(open_part.empty());
  fs::path name = open_part.filename();
  EXPECT_EQ(utf8_of(name).rfind(".ordelix-part-", 0), 0u) << open_part;
  fs::path in_temp = path_of(temp_folder()) / name;
  EXPECT_TRUE(fs::exists(in_temp)) << open_part;
  std::fclose(part);
  EXPECT_FALSE(fs::exists(in_temp)) << open_part;

  ReportSheet sheet;
  // About 40 bytes of worksheet XML a row: far beyond what stays in memory.
  for (int row = 1; row <= 20000; ++row) sheet.set_number(row, 1, row * 0.001);
  ZipBytes zip;
  Result<void> written = xlsx_write_report(sheet, 981173106, missing, zip);
  EXPECT_TRUE(written.ok()) << problem_text(written.error());
  EXPECT_FALSE(fs::exists(path_of(missing)));
}

}  // namespace
}  // namespace ordelix
