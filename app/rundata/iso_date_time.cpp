#include "iso_date_time.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace ordelix {
namespace {

// `t` read as UTC, in seconds since the epoch.
long long seconds_as_utc(const DateTime& t) {
  using namespace std::chrono;
  sys_days day{year{t.year} / static_cast<unsigned>(t.month) / static_cast<unsigned>(t.day)};
  return duration_cast<seconds>(day.time_since_epoch()).count() + t.hour * 3600LL +
         t.minute * 60LL + t.second;
}

}  // namespace

std::string iso_date_time(const DateTime& local, std::time_t instant) {
  long long offset = seconds_as_utc(local) - static_cast<long long>(instant);
  long long size = std::llabs(offset);
  char text[128];  // room for any ints
  int n = std::snprintf(text, sizeof text, "%04d-%02d-%02dT%02d:%02d:%02d%c%02lld:%02lld",
                        local.year, local.month, local.day, local.hour, local.minute, local.second,
                        offset < 0 ? '-' : '+', size / 3600, size / 60 % 60);
  std::string iso(text, std::min(static_cast<std::size_t>(n), sizeof text - 1));
  if (size % 60 != 0) {
    std::snprintf(text, sizeof text, ":%02lld", size % 60);
    iso += text;
  }
  return iso;
}

}  // namespace ordelix
