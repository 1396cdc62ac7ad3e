#pragma once

#include <xlsxwriter.h>

#include <cstddef>
#include <map>
#include <optional>
#include <tuple>
#include <vector>

#include "sheet/report_sheet.h"

namespace ordelix {

// One workbook format per distinct look of a cell.
class Formats {
 public:
  Formats(lxw_workbook* workbook, const ReportSheet& sheet)
      : workbook_(workbook), sheet_(sheet), by_range_((sheet.font_ranges().size() + 1) * 4) {}

  // Every cell asks, blank ones too: by the font range that covers it, not
  // by comparing looks, once its look is known.
  lxw_format* of(int row, int col, bool date_time) {
    int range = sheet_.font_range_at(row, col);
    bool left = sheet_.left_aligned(col);
    std::optional<lxw_format*>& known =
        by_range_[static_cast<std::size_t>(range + 1) * 4 + (left ? 2 : 0) + (date_time ? 1 : 0)];
    if (!known) known = get(sheet_.font_at(row, col), left, date_time);
    return *known;
  }

  lxw_format* column_format(int col) { return get(std::nullopt, sheet_.left_aligned(col), false); }

 private:
  using Key = std::tuple<bool, double, bool, bool, int, bool, bool>;

  // One object per look: the library hashes a format that duplicates
  // another's look again at every cell that uses it.
  lxw_format* get(const std::optional<Font>& font, bool left, bool date_time);
  lxw_format* make(const std::optional<Font>& font, bool left, bool date_time);

  lxw_workbook* workbook_;
  const ReportSheet& sheet_;
  std::map<Key, lxw_format*> formats_;
  // By font range (none first), then left alignment and date.
  std::vector<std::optional<lxw_format*>> by_range_;
};

}  // namespace ordelix
