#pragma once

#include <ctime>
#include <string>

#include "report_sheet.h"

namespace ordelix {

// Writes the sheet as a one-sheet workbook at `path` (created or replaced).
// Numbers are written the same whatever the process locale. Returns an
// empty string on success, else what went wrong.
std::string xlsx_write_report(const ReportSheet& sheet, const std::string& path,
                              std::time_t created);

}  // namespace ordelix
