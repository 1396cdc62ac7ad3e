#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <string>

#include <gtest/gtest.h>

#include "save/report_save.h"
#include "save/report_stream.h"
#include "test_support.h"

namespace ordelix {
namespace {

class ReportStream : public ::testing::Test {
 protected:
  ReportStream() {
    sheet_.set_text(1, 1, "Method                ");
    sheet_.set_number(5, 4, 0.5);
  }

  ReportSheet sheet_;
  WorkbookSheet only_{&sheet_, {}};
  test::TempDir dir_;
};

TEST_F(ReportStream, WritesTheSameBytesAsASavedReport) {
  SaveOptions options;
  options.created = 1700000000;
  std::string saved = dir_.file("saved.xlsx");
  ASSERT_TRUE(report_save(sheet_, saved, options).ok());

  std::string streamed = dir_.file("streamed");
  int fd = ::open(streamed.c_str(), O_WRONLY | O_CREAT | O_EXCL, 0600);
  ASSERT_GE(fd, 0);
  Result<void> r = report_stream({&only_, 1}, fd, options.created);
  ::close(fd);
  ASSERT_TRUE(r.ok()) << problem_text(r.error());
  EXPECT_EQ(test::read_bytes(streamed), test::read_bytes(saved));
  EXPECT_EQ(test::read_bytes(streamed).substr(0, 4), "PK\x03\x04");
}

}  // namespace
}  // namespace ordelix
