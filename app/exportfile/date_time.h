#pragma once

#include <ctime>

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

DateTime date_time_from_local(std::time_t t);

}  // namespace ordelix
