#include <cstdint>
#include <cstdlib>
#include <ctime>
#include <limits>
#include <string>

#include <gtest/gtest.h>

#include "base/date_time.h"
#include "exportfile/local_date_time.h"
#include "test_support.h"

namespace ordelix {
namespace {

// The time zone of one test; CTest runs each test in a process of its own.
// On Windows local time follows the system's zone, which wine takes from the
// host's TZ as the process starts: CTest gives it UTC.
class LocalTime : public ::testing::Test {
 protected:
  void zone(const char* tz) {
    test::set_environment("TZ", tz);
    ::tzset();
  }
  ~LocalTime() override {
    test::unset_environment("TZ");
    ::tzset();
  }
};

constexpr std::time_t hour = 3600;
constexpr std::time_t earliest = -2208988800;  // 1900-01-01 00:00:00 UTC
constexpr std::time_t latest = 253402300799;   // 9999-12-31 23:59:59 UTC

TEST_F(LocalTime, TheWorkbookSpanIsTheYears1900To9999) {
  zone("UTC");
  EXPECT_EQ(date_time_from_local(earliest), (DateTime{1900, 1, 1, 0, 0, 0}));
  EXPECT_EQ(date_time_from_local(latest), (DateTime{9999, 12, 31, 23, 59, 59}));
  EXPECT_EQ(date_time_from_local(0), (DateTime{1970, 1, 1, 0, 0, 0}));
  EXPECT_EQ(date_time_from_local(981173106), (DateTime{2001, 2, 3, 4, 5, 6}));
  EXPECT_FALSE(date_time_from_local(earliest - 1));
  EXPECT_FALSE(date_time_from_local(latest + 1));
}

TEST_F(LocalTime, TimesNoCalendarHandlesGiveNoDate) {
  zone("UTC");
  EXPECT_FALSE(date_time_from_local(std::numeric_limits<std::time_t>::max()));
  EXPECT_FALSE(date_time_from_local(std::numeric_limits<std::time_t>::min()));
  EXPECT_FALSE(date_time_from_local(std::numeric_limits<std::int32_t>::min() * hour));
}

TEST(WorkbookTime, ClampMovesOutsideTimesToTheNearestEnd) {
  EXPECT_EQ(workbook_time_clamp(0), 0);
  EXPECT_EQ(workbook_time_clamp(earliest), earliest);
  EXPECT_EQ(workbook_time_clamp(latest), latest);
  EXPECT_EQ(workbook_time_clamp(earliest - 1), earliest);
  EXPECT_EQ(workbook_time_clamp(std::numeric_limits<std::time_t>::min()), earliest);
  EXPECT_EQ(workbook_time_clamp(latest + 1), latest);
  EXPECT_EQ(workbook_time_clamp(std::numeric_limits<std::time_t>::max()), latest);
}

}  // namespace
}  // namespace ordelix
