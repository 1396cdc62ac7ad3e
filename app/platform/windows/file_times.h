#pragma once

#include <windows.h>

#include <ctime>
#include <optional>

namespace ordelix {

// File times count 100 ns since 1601, in UTC.
inline constexpr long long file_time_of_1970 = 116444736000000000LL;
inline constexpr long long file_ticks_per_second = 10000000LL;

// Rounded down, as POSIX counts the seconds of a time before 1970.
inline std::time_t time_of(const FILETIME& t) {
  long long ticks = (static_cast<long long>(t.dwHighDateTime) << 32) | t.dwLowDateTime;
  long long since_1970 = ticks - file_time_of_1970;
  long long seconds = since_1970 / file_ticks_per_second;
  if (since_1970 % file_ticks_per_second < 0) --seconds;
  return static_cast<std::time_t>(seconds);
}

// Nothing before 1601, where file times start.
inline std::optional<FILETIME> file_time_of(std::time_t t) {
  if (t < -file_time_of_1970 / file_ticks_per_second) return std::nullopt;
  long long ticks = static_cast<long long>(t) * file_ticks_per_second + file_time_of_1970;
  return FILETIME{static_cast<DWORD>(ticks), static_cast<DWORD>(ticks >> 32)};
}

}  // namespace ordelix
