#include "platform/part_streams.h"

#include <cstdio>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "test_support.h"

namespace ordelix {
namespace {

using test::pattern;
using test::round_trip;

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

// Written over after a seek back, and past the end after a seek beyond it.
TEST(PartStreams, WritesAfterASeekGoWhereTheSeekLeft) {
  FILE* part = part_stream_open(nullptr);
  ASSERT_NE(part, nullptr);
  std::fputs("abcdef", part);
  std::fseek(part, 2, SEEK_SET);
  std::fputs("XY", part);
  std::fseek(part, 0, SEEK_END);
  std::fputs("gh", part);
  std::fseek(part, 2, SEEK_END);
  std::fputs("i", part);
  std::rewind(part);
  char back[16] = {};
  EXPECT_EQ(std::fread(back, 1, sizeof back, part), 11u);
  EXPECT_EQ(std::string(back, 11), std::string("abXYefgh\0\0i", 11));
  std::fclose(part);
}

}  // namespace
}  // namespace ordelix
