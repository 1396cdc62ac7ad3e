#pragma once

#include <ctime>
#include <string>

#include "base/date_time.h"

namespace ordelix {

// `local`, the civil time that `instant` is where it was shown, in ISO 8601
// with its offset from UTC: "2024-03-07T14:05:09+01:00". An offset of
// seconds too (an old local mean time) gets them: "+00:53:28".
std::string iso_date_time(const DateTime& local, std::time_t instant);

}  // namespace ordelix
