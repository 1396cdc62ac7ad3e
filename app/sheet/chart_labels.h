#pragma once

#include <string>

#include "report_sheet.h"

namespace ordelix {

// Decimals that show every number of the range as it was meant: 0.2 added
// up ten times shows as 2.0, not as 1.9999999999999998. At most max_decimals.
int category_decimals(const ReportSheet& sheet, const CellRange& categories);
constexpr int max_decimals = 6;

// "0", "0.0", "0.00" ...
std::string decimals_number_format(int decimals);

// Categories from one axis label to the next: a tick mark spacing times 1, 2,
// 5, 10, 20 ..., the least that leaves at most max_category_labels labels.
int category_label_interval(int categories, int tick_mark_spacing);
constexpr int max_category_labels = 8;

}  // namespace ordelix
