#include "date_time.h"

namespace ordelix {

DateTime date_time_from_local(std::time_t t) {
  std::tm tm{};
  if (localtime_r(&t, &tm) == nullptr) return {};
  return {tm.tm_year + 1900, tm.tm_mon + 1, tm.tm_mday, tm.tm_hour, tm.tm_min, tm.tm_sec};
}

}  // namespace ordelix
