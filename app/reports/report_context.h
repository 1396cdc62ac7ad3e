#pragma once

#include <optional>

#include "base/problem.h"
#include "exportfile/export_reader.h"
#include "sheet/report_sheet.h"

namespace ordelix {

// What a report writer works on: the reading passes over one export file and
// the sheet prepared for its report, and where it tells of what it found amiss.
struct ReportContext {
  ExportReader& reader;
  ReportSheet& sheet;
  Problems& warnings;
  // Export file lines behind the first write that fell below the sheet's last
  // row: that of a value copied from the file, and that of a count whose rows
  // the report numbers or steps.
  long value_line_left_out = 0;
  long count_line_left_out = 0;
};

// A writer returns nothing when it wrote its report, else why the file gives none.
using ReportRefusal = std::optional<Problem>;

}  // namespace ordelix
