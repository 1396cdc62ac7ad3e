#include "date_time.h"

#include <algorithm>

namespace ordelix {
namespace {

constexpr int first_year = 1900;
constexpr int last_year = 9999;

}  // namespace

std::optional<DateTime> date_time_from_local(std::time_t t) {
  // Checked before the calendar functions see it: far beyond the span they
  // fail or overflow.
  if (t < workbook_time_min || t > workbook_time_max) return std::nullopt;
  std::tm tm{};
  if (localtime_r(&t, &tm) == nullptr) return std::nullopt;
  int year = tm.tm_year + 1900;
  if (year < first_year || year > last_year) return std::nullopt;
  return DateTime{year, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

std::time_t workbook_time_clamp(std::time_t t) {
  return std::clamp(t, workbook_time_min, workbook_time_max);
}

}  // namespace ordelix
