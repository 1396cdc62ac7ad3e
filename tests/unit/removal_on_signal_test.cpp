#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <string>

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
  std::string unfinished(const std::string& name) {
    std::string path = dir_.file(name);
    test::write_bytes(path, "half a workbook");
    return path;
  }

  test::TempDir dir_;
};

TEST_F(RemovalOnSignalTest, InterruptAndTerminateRemoveTheFileAndStillEndTheProcess) {
  for (int signal : {SIGINT, SIGTERM}) {
    SCOPED_TRACE(signal);
    std::string path = unfinished(".ordelix-test");
    std::string kept = unfinished("kept");
    int status = in_child([&] {
      RemovalOnSignal removal(path);
      { RemovalOnSignal dropped(kept); }
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
    ::raise(SIGINT);
  });
  ASSERT_TRUE(WIFEXITED(status)) << status;
  EXPECT_EQ(WEXITSTATUS(status), 0);
  EXPECT_TRUE(fs::exists(path));
}

}  // namespace
}  // namespace ordelix
