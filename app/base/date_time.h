#pragma once

#include <ctime>
#include <optional>

namespace ordelix {

// A local civil date and time, as a spreadsheet holds one.
struct DateTime {
  int year = 1900;
  int month = 1;
  int day = 1;
  int hour = 0;
  int minute = 0;
  int second = 0;

  friend bool operator==(const DateTime&, const DateTime&) = default;
};

// The span of time a workbook can show: 1900-01-01 00:00:00 to 9999-12-31
// 23:59:59, in UTC. Seconds in 64 bits: a 32-bit time_t (WebAssembly's)
// reaches only from 1901 to 2038, within the span.
inline constexpr long long workbook_time_min = -2208988800;
inline constexpr long long workbook_time_max = 253402300799;

// `t` moved to the nearest end of the workbook's span.
std::time_t workbook_time_clamp(std::time_t t);

}  // namespace ordelix
