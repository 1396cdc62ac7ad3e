#pragma once

#include "base/result.h"
#include "exportfile/export_reader.h"
#include "line_tally.h"
#include "sheet/report_sheet.h"

namespace ordelix {

// What a report writer works on: the reading passes over one export file and
// the sheet prepared for its report, and where it tells of what it found amiss.
struct ReportContext {
  ExportReader& reader;
  ReportSheet& sheet;
  Problems& warnings;
  // The lines of the file whose values fell below the sheet's last row.
  LineTally lines_left_out{};
  // The line of the first count whose rows, numbered or stepped by the
  // report, fell below it.
  long long count_line_left_out = 0;
};

}  // namespace ordelix
