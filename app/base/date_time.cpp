#include "date_time.h"

#include <algorithm>

namespace ordelix {
std::time_t workbook_time_clamp(std::time_t t) {
  return static_cast<std::time_t>(std::clamp<long long>(t, workbook_time_min, workbook_time_max));
}

}  // namespace ordelix
