#pragma once

#include <xlsxwriter.h>

#include <map>
#include <optional>
#include <tuple>

#include "sheet/report_sheet.h"

namespace ordelix {

// One workbook format per distinct look of a cell.
class Formats {
 public:
  Formats(lxw_workbook* workbook, const ReportSheet& sheet) : workbook_(workbook), sheet_(sheet) {}

  lxw_format* of(int row, int col, bool date_time) {
    return get(sheet_.font_at(row, col), sheet_.left_aligned(col), date_time);
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
};

}  // namespace ordelix
