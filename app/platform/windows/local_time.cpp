#include "platform/local_time.h"

#include <windows.h>

#include "file_times.h"

namespace ordelix {

// Through the system's time zone and its rules for that year: the C
// runtime's own reading of TZ knows neither.
std::optional<std::tm> local_time_of(std::time_t t) {
  std::optional<FILETIME> utc = file_time_of(t);
  SYSTEMTIME utc_time{}, local{};
  if (!utc || !FileTimeToSystemTime(&*utc, &utc_time) ||
      !SystemTimeToTzSpecificLocalTime(nullptr, &utc_time, &local))
    return std::nullopt;
  std::tm tm{};
  tm.tm_year = local.wYear - 1900;
  tm.tm_mon = local.wMonth - 1;
  tm.tm_mday = local.wDay;
  tm.tm_hour = local.wHour;
  tm.tm_min = local.wMinute;
  tm.tm_sec = local.wSecond;
  tm.tm_wday = local.wDayOfWeek;
  tm.tm_isdst = -1;
  return tm;
}

}  // namespace ordelix
