#pragma once

#include <ctime>
#include <optional>

namespace ordelix {

// `t` in the user's time zone, or nothing where the calendar cannot tell it.
std::optional<std::tm> local_time_of(std::time_t t);

}  // namespace ordelix
