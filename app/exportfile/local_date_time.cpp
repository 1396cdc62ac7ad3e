#include "local_date_time.h"

#include "platform/local_time.h"

namespace ordelix {
namespace {

constexpr int first_year = 1900;
constexpr int last_year = 9999;

}  // namespace

std::optional<DateTime> date_time_from_local(std::time_t t) {
  // Checked before the calendar functions see it: far beyond the span they
  // fail or overflow.
  if (workbook_time_clamp(t) != t) return std::nullopt;
  std::optional<std::tm> tm = local_time_of(t);
  if (!tm) return std::nullopt;
  int year = tm->tm_year + 1900;
  if (year < first_year || year > last_year) return std::nullopt;
  return DateTime{year, tm->tm_mon + 1, tm->tm_mday, tm->tm_hour, tm->tm_min, tm->tm_sec};
}

}  // namespace ordelix
