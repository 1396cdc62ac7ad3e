#include <fcntl.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "platform/posix/removal_on_signal.h"
#include "test_support.h"

namespace ordelix {
namespace {

namespace fs = std::filesystem;

// Runs `child` in a forked process and returns its wait status.
template <typename Child>
int in_child(Child child) {
  pid_t pid = ::fork();
  if (pid == 0) {
    child();
    ::_exit(0);
  }
  int status = 0;
  ::waitpid(pid, &status, 0);
  return status;
}

class RemovalOnSignalTest : public ::testing::Test {
 protected:
  std::string unfinished(const std::string& name) { return dir_.file(name); }

  // Writes the file at the guard's name as the step that makes it.
  static int made(RemovalOnSignal& removal, const std::string& path) {
    return removal.make([&] {
      test::write_bytes(path, "half a workbook");
      return 0;
    });
  }

  test::TempDir dir_;
};

// A file made only if none stands at `path`: 0, or the errno.
int exclusive_create(const std::string& path) {
  int fd = ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
  if (fd < 0) return errno;
  ::close(fd);
  return 0;
}

TEST_F(RemovalOnSignalTest, InterruptAndTerminateRemoveTheFileAndStillEndTheProcess) {
  for (int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    std::string path = unfinished(".ordelix-test");
    std::string kept = unfinished("kept");
    int status = in_child([&] {
      RemovalOnSignal removal(path);
      made(removal, path);
      {
        RemovalOnSignal dropped(kept);
        made(dropped, kept);
      }
      ::raise(signal);
      ::_exit(3);  // not reached: the signal ends the process
    });
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), signal);
    EXPECT_FALSE(fs::exists(path));
    EXPECT_TRUE(fs::exists(kept));
  }
}

TEST_F(RemovalOnSignalTest, SeveralFilesOfSeveralHoldersGoTogether) {
  std::string a = unfinished("a");
  std::string b = unfinished("b");
  int status = in_child([&] {
    RemovalOnSignal first(a);
    RemovalOnSignal second(b);
    made(first, a);
    made(second, b);
    ::raise(SIGTERM);
  });
  ASSERT_TRUE(WIFSIGNALED(status));
  EXPECT_FALSE(fs::exists(a));
  EXPECT_FALSE(fs::exists(b));
}

TEST_F(RemovalOnSignalTest, AnIgnoredSignalStaysIgnored) {
  std::string path = unfinished("ignored");
  int status = in_child([&] {
    ::signal(SIGINT, SIG_IGN);
    RemovalOnSignal removal(path);
    made(removal, path);
    ::raise(SIGINT);
  });
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(fs::exists(path));
}

// A closed terminal and a quit key end a run as a request to end it does.
TEST_F(RemovalOnSignalTest, HangupAndQuitRemoveTheFileAndStillEndTheProcess) {
  for (int signal : {SIGHUP, SIGQUIT}) {
    SCOPED_TRACE(signal);
    std::string path = unfinished(".ordelix-test");
    int status = in_child([&] {
      struct rlimit no_core {};
      ::setrlimit(RLIMIT_CORE, &no_core);
      RemovalOnSignal removal(path);
      made(removal, path);
      ::raise(signal);
      ::_exit(3);
    });
    ASSERT_TRUE(WIFSIGNALED(status)) << status;
    EXPECT_EQ(WTERMSIG(status), signal);
    EXPECT_FALSE(fs::exists(path));
  }
}

// Two chunks of a batch and the reports being placed, and more.
TEST_F(RemovalOnSignalTest, HundredsOfFilesAllGo) {
  constexpr int files = 300;
  std::vector<std::string> paths;
  for (int i = 0; i < files; ++i) paths.push_back(unfinished(".ordelix-" + std::to_string(i)));
  int status = in_child([&] {
    std::vector<std::unique_ptr<RemovalOnSignal>> guards;
    for (const std::string& path : paths) {
      guards.push_back(std::make_unique<RemovalOnSignal>(path));
      made(*guards.back(), path);
    }
    ::raise(SIGTERM);
  });
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  int left = 0;
  for (const std::string& path : paths) left += fs::exists(path) ? 1 : 0;
  EXPECT_EQ(left, 0);
}

// Guards that end leave their places to later ones, which are as sound.
TEST_F(RemovalOnSignalTest, LaterGuardsOfOtherPathsStillRemoveTheirFiles) {
  std::string earlier = unfinished("earlier");
  std::string deeper = unfinished(std::string(200, 'd'));
  fs::create_directory(deeper);
  std::string longer = deeper + '/' + std::string(100, 'l');  // more than the room they left
  int status = in_child([&] {
    for (int round = 0; round < 3; ++round) {
      RemovalOnSignal removal(earlier);
      made(removal, earlier);
      removal.take([&] { return std::rename(earlier.c_str(), dir_.file("placed").c_str()); });
    }
    RemovalOnSignal removal(longer);
    made(removal, longer);
    ::raise(SIGTERM);
  });
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  EXPECT_FALSE(fs::exists(longer));
  EXPECT_TRUE(fs::exists(dir_.file("placed")));
}

TEST_F(RemovalOnSignalTest, AFileThatStoodAtTheNameIsNeverRemoved) {
  std::string theirs = unfinished("report.xlsx");
  test::write_bytes(theirs, "another program's report");
  int status = in_child([&] {
    RemovalOnSignal removal(theirs);
    int err = removal.make([&] {
      ::raise(SIGTERM);  // waits for the step's end
      return exclusive_create(theirs);
    });
    ::_exit(err == EEXIST ? 4 : 5);  // not reached: the signal ends the process
  });
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
  EXPECT_EQ(test::read_bytes(theirs), "another program's report");
}

TEST_F(RemovalOnSignalTest, AFileRenamedIntoPlaceStaysAndSoDoesAnotherAtItsOldName) {
  std::string hidden = unfinished(".ordelix-test");
  std::string report = unfinished("report.xlsx");
  int status = in_child([&] {
    RemovalOnSignal removal(hidden);
    made(removal, hidden);
    removal.take([&] {
      int err = std::rename(hidden.c_str(), report.c_str()) == 0 ? 0 : errno;
      ::raise(SIGTERM);
      return err;
    });
    ::_exit(3);
  });
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  EXPECT_TRUE(fs::exists(report));
  EXPECT_FALSE(fs::exists(hidden));

  status = in_child([&] {
    RemovalOnSignal removal(hidden);
    made(removal, hidden);
    removal.take([&] { return std::rename(hidden.c_str(), report.c_str()) == 0 ? 0 : errno; });
    test::write_bytes(hidden, "another program's file");
    ::raise(SIGTERM);
  });
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  EXPECT_EQ(test::read_bytes(hidden), "another program's file");
}

// A signal that comes to another thread while a file is being made waits
// for the step: the file it made is removed, though it was not guarded yet
// when the signal came.
TEST_F(RemovalOnSignalTest, ASignalDuringAStepElsewhereWaitsForItsEnd) {
  std::string path = unfinished(".ordelix-test");
  int status = in_child([&] {
    std::thread maker([&] {
      RemovalOnSignal removal(path);
      removal.make([&] {
        test::write_bytes(path, "half a workbook");
        ::kill(::getpid(), SIGTERM);  // to the thread that does not hold it
        std::this_thread::sleep_for(std::chrono::milliseconds(200));
        return 0;
      });
      std::this_thread::sleep_for(std::chrono::seconds(10));
    });
    maker.join();
  });
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  EXPECT_EQ(WTERMSIG(status), SIGTERM);
  EXPECT_FALSE(fs::exists(path));
}

// Other threads go on making files while the handler removes those it
// found; none they make may stay.
TEST_F(RemovalOnSignalTest, FilesMadeWhileTheHandlerRemovesAreNotLeft) {
  constexpr int made_before = 1000;
  fs::path folder = unfinished("staged");
  fs::create_directory(folder);
  int status = in_child([&] {
    std::atomic<int> count{0};
    std::thread maker([&] {
      std::vector<std::unique_ptr<RemovalOnSignal>> guards;
      for (;;) {
        std::string path = (folder / std::to_string(count.load())).string();
        guards.push_back(std::make_unique<RemovalOnSignal>(path));
        made(*guards.back(), path);
        ++count;
      }
    });
    while (count.load() < made_before) std::this_thread::yield();
    ::raise(SIGTERM);
  });
  ASSERT_TRUE(WIFSIGNALED(status)) << status;
  EXPECT_TRUE(fs::is_empty(folder));
}

}  // namespace
}  // namespace ordelix
