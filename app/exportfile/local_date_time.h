#pragma once

#include <ctime>
#include <optional>

#include "base/date_time.h"

namespace ordelix {

// `t` in local time, or nothing when it lies outside the workbook's span,
// as UTC or as local time.
std::optional<DateTime> date_time_from_local(std::time_t t);

}  // namespace ordelix
