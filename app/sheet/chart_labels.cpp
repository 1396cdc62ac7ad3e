#include "chart_labels.h"

#include <algorithm>
#include <cmath>
#include <variant>

namespace ordelix {
namespace {

// Far coarser than a double's rounding error, far finer than a shown decimal.
constexpr double decimal_tolerance = 1e-9;

int decimals_of(double value) {
  double scaled = value;
  for (int decimals = 0; decimals < max_decimals; ++decimals, scaled *= 10)
    if (std::abs(scaled - std::rint(scaled)) <= decimal_tolerance * std::max(1.0, std::abs(scaled)))
      return decimals;
  return max_decimals;
}

}  // namespace

int category_decimals(const ReportSheet& sheet, const CellRange& categories) {
  int decimals = 0;
  for (int row = categories.first_row; row <= categories.last_row; ++row) {
    for (int col = categories.first_col; col <= categories.last_col; ++col) {
      if (std::optional<double> number = sheet.number_at(row, col))
        decimals = std::max(decimals, decimals_of(*number));
    }
  }
  return decimals;
}

std::string decimals_number_format(int decimals) {
  return decimals > 0 ? "0." + std::string(static_cast<std::size_t>(decimals), '0') : "0";
}

int category_label_interval(int categories, int tick_mark_spacing) {
  int spacing = std::max(tick_mark_spacing, 1);
  for (long decade = spacing;; decade *= 10) {
    for (int factor : {1, 2, 5}) {
      long interval = decade * factor;
      if ((categories + interval - 1) / interval <= max_category_labels)
        return static_cast<int>(interval);
    }
  }
}

}  // namespace ordelix
