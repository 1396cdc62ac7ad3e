#include "platform/local_time.h"

namespace ordelix {

std::optional<std::tm> local_time_of(std::time_t t) {
  std::tm tm{};
  if (localtime_r(&t, &tm) == nullptr) return std::nullopt;
  return tm;
}

}  // namespace ordelix
