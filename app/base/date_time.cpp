#include "date_time.h"

#include <algorithm>

namespace ordelix {
std::time_t workbook_time_clamp(std::time_t t) {
  return std::clamp(t, workbook_time_min, workbook_time_max);
}

}  // namespace ordelix
