#ifndef _WIN32
#include <fcntl.h>
#include <sys/stat.h>
#endif

#include <chrono>
#include <deque>
#include <filesystem>
#include <functional>
#include <limits>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "platform/paths.h"
#include "test_support.h"
#include "watch/folder_watch.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;
using Names = std::vector<std::string>;

constexpr milliseconds settle{2000};
constexpr milliseconds poll{30000};

class FakeClock final : public WatchClock {
 public:
  WatchTime now() override { return now_; }
  WatchTime now_{};
};

// Each wait plays the next step of a script, which may change the folder,
// move the clock and return news; with none left, the wait times out.
class ScriptedChanges final : public FolderChanges {
 public:
  explicit ScriptedChanges(FakeClock& clock) : clock_(clock) {}

  Result<void> watch(const std::string& folder, bool) override {
    watched.insert(folder);
    return {};
  }

  std::vector<FolderChange> wait(milliseconds timeout) override {
    waits.push_back(timeout);
    if (script.empty()) {
      clock_.now_ += timeout;
      return {};
    }
    auto next = std::move(script.front());
    script.pop_front();
    return next();
  }

  std::deque<std::function<std::vector<FolderChange>()>> script;
  std::vector<milliseconds> waits;
  std::set<std::string> watched;

 private:
  FakeClock& clock_;
};

// Reports beside their files, made when `saving`; files named in `changing`
// read as changing.
class RecordedActions final : public WatchActions {
 public:
  static std::string report_of(const BatchInput& input) {
    return path_with_extension(input.path, ".xlsx");
  }

  std::vector<bool> convert(const std::vector<BatchInput>& inputs) override {
    std::vector<bool> whole;
    for (const BatchInput& input : inputs) {
      converted.push_back(input.relative);
      whole.push_back(changing.erase(input.relative) == 0);
      if (saving) test::write_bytes(report_of(input), "PK");
    }
    return whole;
  }

  void folder_failed(const std::string& folder, const Problem& problem) override {
    failed.push_back(path_file_name(folder) + ": " + problem_text(problem));
  }

  Names converted;
  Names failed;
  std::set<std::string> changing;
  bool saving = false;
};

class FolderWatchTest : public ::testing::Test {
 protected:
  FolderWatch watch_of(bool recursive = false) {
    return FolderWatch({{runs_}, recursive, settle, poll}, changes_, clock_, actions_);
  }
  void write(const std::string& name, const std::string& bytes = "2\r\n") {
    fs::create_directories(fs::path(path(name)).parent_path());
    test::write_bytes(path(name), bytes);
  }
  std::string path(const std::string& name) const { return runs_ + test::native("/" + name); }
  void append(const std::string& name) {
    test::write_bytes(path(name), test::read_bytes(path(name)) + "0.5\r\n");
  }
  // The steps of the script: news of `name`, and a time that passes unnoticed.
  std::function<std::vector<FolderChange>()> news_of(std::string name) {
    return [this, name] {
      return std::vector<FolderChange>{{FolderChange::Kind::entry, path(name)}};
    };
  }
  void steps(int n, FolderWatch& watch) {
    for (int i = 0; i < n; ++i) watch.step();
  }

  test::TempDir dir_;
  std::string runs_ = dir_.file("runs");
  FakeClock clock_;
  ScriptedChanges changes_{clock_};
  RecordedActions actions_;
};

TEST_F(FolderWatchTest, FileStandingStillIsConvertedOnceAfterTheSettleTime) {
  write("a.PRO");
  FolderWatch watch = watch_of();
  watch.start();
  EXPECT_TRUE(actions_.converted.empty()) << "not before it stood still";
  watch.step();
  EXPECT_EQ(changes_.waits.front(), settle);
  EXPECT_EQ(actions_.converted, Names{"a.PRO"});
  // News of it, and looks through the folder, change nothing while it stays.
  changes_.script.push_back(news_of("a.PRO"));
  steps(4, watch);
  EXPECT_EQ(actions_.converted, Names{"a.PRO"});
  EXPECT_EQ(changes_.waits.back(), poll) << "idle, it waits for the next look through";
}

TEST_F(FolderWatchTest, FileThatGrowsWaitsUntilItStandsStill) {
  FolderWatch watch = watch_of();
  fs::create_directories(runs_);
  watch.start();
  changes_.script.push_back([this] {
    write("a.PRO");
    return news_of("a.PRO")();
  });
  // Written again just before it would have stood still long enough.
  changes_.script.push_back([this] {
    clock_.now_ += settle - milliseconds(1);
    append("a.PRO");
    return std::vector<FolderChange>{};
  });
  steps(2, watch);
  clock_.now_ += milliseconds(1);
  watch.step();
  EXPECT_TRUE(actions_.converted.empty()) << "its size changed within the settle time";
  watch.step();
  EXPECT_EQ(actions_.converted, Names{"a.PRO"});
  EXPECT_EQ(changes_.waits.back(), settle);
}

TEST_F(FolderWatchTest, OnlyExportFilesCountAndSubfoldersOnlyWhenRecursive) {
  for (const char* name : {"a.PRO", "b.txt", "b.xlsx", ".c.PRO", "day1/d.NUC", ".hidden/e.OD"})
    write(name);
  FolderWatch flat = watch_of();
  flat.start();
  flat.step();
  EXPECT_EQ(actions_.converted, Names{"a.PRO"});
  EXPECT_EQ(changes_.watched, std::set<std::string>{runs_});

  RecordedActions deep_actions;
  FolderWatch deep({{runs_}, true, settle, poll}, changes_, clock_, deep_actions);
  deep.start();
  changes_.script.push_back(news_of(".hidden/e.OD"));
  changes_.script.push_back(news_of("b.txt"));
  steps(3, deep);
  EXPECT_EQ(deep_actions.converted, (Names{"a.PRO", test::native("day1/d.NUC")}));
  EXPECT_EQ(changes_.watched, (std::set<std::string>{runs_, path("day1")}));
}

TEST_F(FolderWatchTest, NewSubfolderIsLookedThroughForFilesMadeBeforeItWasWatched) {
  fs::create_directories(runs_);
  FolderWatch watch = watch_of(true);
  watch.start();
  changes_.script.push_back([this] {
    write("day2/x.TM");
    return news_of("day2")();
  });
  steps(2, watch);
  EXPECT_EQ(actions_.converted, Names{test::native("day2/x.TM")});
  EXPECT_TRUE(changes_.watched.contains(path("day2")));
}

// Whether a report that stands is kept is the batch's to tell, by what it
// holds: its time tells nothing of a damaged or foreign report.
TEST_F(FolderWatchTest, FilesFoundWithReportsOfAnyAgeGoToTheBatch) {
  for (const char* name : {"old.PRO", "old.xlsx", "new.PRO", "new.xlsx"}) write(name);
  auto t = fs::last_write_time(path("old.PRO"));
  fs::last_write_time(path("old.xlsx"), t - std::chrono::hours(1));
  fs::last_write_time(path("new.xlsx"), t + std::chrono::hours(1));
  FolderWatch watch = watch_of();
  EXPECT_TRUE(watch.start());
  watch.step();
  EXPECT_EQ(actions_.converted, (Names{"new.PRO", "old.PRO"}));
}

TEST_F(FolderWatchTest, HiddenNamesAndOfficeLockFilesNeverCount) {
  for (const char* name : {".run.WSC", "~$run.WSC", "run.WSC.tmp", "run.WSC.part", "run.WSC"})
    write(name);
  FolderWatch watch = watch_of();
  watch.start();
  changes_.script.push_back(news_of("~$run.WSC"));
  changes_.script.push_back(news_of(".run.WSC"));
  steps(3, watch);
  EXPECT_EQ(actions_.converted, Names{"run.WSC"});
}

TEST_F(FolderWatchTest, StartFailsWhenAFolderIsMissingOrNoFolder) {
  write("a.PRO");
  FolderWatch missing({{dir_.file("gone")}, false, settle, poll}, changes_, clock_, actions_);
  EXPECT_FALSE(missing.start());
  FolderWatch file({{path("a.PRO")}, false, settle, poll}, changes_, clock_, actions_);
  EXPECT_FALSE(file.start());
  EXPECT_EQ(actions_.failed.size(), 2u) << ::testing::PrintToString(actions_.failed);
  EXPECT_TRUE(watch_of().start());
}

TEST_F(FolderWatchTest, FileChangedAfterItsConversionIsConvertedAgain) {
  write("a.PRO");
  FolderWatch watch = watch_of();
  watch.start();
  watch.step();
  changes_.script.push_back([this] {
    append("a.PRO");
    return news_of("a.PRO")();
  });
  steps(2, watch);
  EXPECT_EQ(actions_.converted, (Names{"a.PRO", "a.PRO"}));
}

// Its report is newer than the file put in its place, yet it is not that
// file's report.
TEST_F(FolderWatchTest, FileReplacedByAnOlderOneAfterItsConversionIsConvertedAgain) {
  write("a.PRO");
  actions_.saving = true;
  FolderWatch watch = watch_of();
  watch.start();
  watch.step();
  changes_.script.push_back([this] {
    write("older.tmp", "1\r\n");
    fs::last_write_time(path("older.tmp"),
                        fs::last_write_time(path("a.xlsx")) - std::chrono::hours(1));
    fs::rename(path("older.tmp"), path("a.PRO"));
    return news_of("a.PRO")();
  });
  steps(2, watch);
  EXPECT_EQ(actions_.converted, (Names{"a.PRO", "a.PRO"}));
}

TEST_F(FolderWatchTest, FileReadWhileItChangedWaitsAndIsReadAgain) {
  write("a.PRO");
  actions_.changing.insert("a.PRO");
  FolderWatch watch = watch_of();
  watch.start();
  watch.step();
  EXPECT_EQ(actions_.converted, Names{"a.PRO"});
  watch.step();
  EXPECT_EQ(changes_.waits.back(), settle) << "it waits to stand still once more";
  EXPECT_EQ(actions_.converted, (Names{"a.PRO", "a.PRO"}));
  steps(2, watch);
  EXPECT_EQ(actions_.converted.size(), 2u) << "read whole, it is done";
}

TEST_F(FolderWatchTest, LostNewsAndThePollFindFilesThatWereNotTold) {
  fs::create_directories(runs_);
  FolderWatch watch = watch_of();
  watch.start();
  // The system's queue overflowed: the folders are looked through at once.
  changes_.script.push_back([this] {
    write("lost.PRO");
    return std::vector<FolderChange>{{FolderChange::Kind::rescan, {}}};
  });
  steps(2, watch);
  EXPECT_EQ(actions_.converted, Names{"lost.PRO"});
  // Written where the system tells nothing, as on a share: found at the next look.
  changes_.script.push_back([this] {
    write("quiet.PRO");
    clock_.now_ += milliseconds(10);
    return std::vector<FolderChange>{};
  });
  watch.step();
  watch.step();
  EXPECT_EQ(changes_.waits.back(), poll - milliseconds(10) - settle);
  EXPECT_EQ(actions_.converted, Names{"lost.PRO"});
  watch.step();
  EXPECT_EQ(actions_.converted, (Names{"lost.PRO", "quiet.PRO"}));
}

TEST_F(FolderWatchTest, FolderThatCannotBeReadIsToldOnceUntilItComesBack) {
  FolderWatch watch = watch_of();
  watch.start();
  steps(2, watch);
  EXPECT_EQ(actions_.failed, Names{"runs: cannot read the folder: No such file or directory"});
  write("a.PRO");
  steps(2, watch);
  EXPECT_EQ(actions_.converted, Names{"a.PRO"});
  fs::remove_all(runs_);
  watch.step();
  EXPECT_EQ(actions_.failed.size(), 2u) << "gone again after it came back";
}

// What tells the watch a file changed: its size and the time of its last
// change, as finely as the system keeps it (100 ns on Windows).
TEST(FileStampTest, SizeAndTimeOfTheLastChangeOfARegularFileOnly) {
  test::TempDir dir;
  std::string file = dir.file("a.PRO");
  test::write_bytes(file, "2\r\n5\r\n");
  using namespace std::chrono;
#ifdef _WIN32
  // MinGW's runtime sets a file's times in whole seconds: 2024-03-07 12:00:00 UTC.
  sys_time<nanoseconds> when = sys_days{2024y / March / 7} + 12h;
  constexpr std::int64_t expected = 1'709'812'800'000'000'000;
#else
  // 2024-03-07 12:00:00.5 UTC.
  sys_time<nanoseconds> when = sys_days{2024y / March / 7} + 12h + 500ms;
  constexpr std::int64_t expected = 1'709'812'800'500'000'000;
#endif
  fs::last_write_time(file, file_clock::from_sys(when));
  std::optional<FileStamp> stamp = file_stamp(file);
  ASSERT_TRUE(stamp);
  EXPECT_EQ(stamp->size, 6u);
  EXPECT_EQ(stamp->modified_ns, expected);
  EXPECT_FALSE(file_stamp(dir.path().string()));
  EXPECT_FALSE(file_stamp(dir.file("gone.PRO")));
  EXPECT_FALSE(file_open_for_writing(file));
#ifndef _WIN32
  fs::create_symlink(file, dir.file("link.PRO"));
  EXPECT_FALSE(file_stamp(dir.file("link.PRO"))) << "links are not followed";
#endif
}

#ifndef _WIN32
// Any time can be set on a file; nanoseconds since 1970 end in 2262.
TEST(FileStampTest, ATimeBeyondWhatNanosecondsHoldCountsAsTheLastSecondTheyDo) {
  test::TempDir dir;
  std::string file = dir.file("a.PRO");
  test::write_bytes(file, "2\r\n");
  auto modified_ns_at = [&](std::int64_t seconds) {
    timespec times[2] = {{0, UTIME_OMIT}, {static_cast<time_t>(seconds), 0}};
    EXPECT_EQ(::utimensat(AT_FDCWD, file.c_str(), times, 0), 0);
    std::optional<FileStamp> stamp = file_stamp(file);
    return stamp ? stamp->modified_ns : 0;
  };
  // 2255-03-14: still exact.
  EXPECT_EQ(modified_ns_at(9'000'000'000), 9'000'000'000'000'000'000);
  // Year 10000, and the furthest time there is (or the file system's own).
  EXPECT_EQ(modified_ns_at(253'402'300'800), 9'223'372'035'000'000'000);
  EXPECT_EQ(modified_ns_at(std::numeric_limits<std::int64_t>::max()), 9'223'372'035'000'000'000);
}
#endif

}  // namespace
}  // namespace ordelix
