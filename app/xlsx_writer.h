#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "problem.h"
#include "report_sheet.h"

namespace ordelix {

// Writes the sheet as a one-sheet workbook at `path` (created or replaced),
// with the library's temporary files in `temp_folder`. Numbers are written the
// same whatever the process locale. Returns nothing on success, else what went
// wrong.
std::optional<Problem> xlsx_write_report(const ReportSheet& sheet, const std::string& path,
                                         std::time_t created, const std::string& temp_folder);

}  // namespace ordelix
