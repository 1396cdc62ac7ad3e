#pragma once

#include <ctime>
#include <optional>
#include <span>
#include <string>

#include "problem.h"
#include "report_sheet.h"

namespace ordelix {

struct WorkbookSheet {
  const ReportSheet* sheet;
  std::string name;  // valid and unique in its workbook (see sheet_names_for)
};

// Writes the sheets as one workbook at `path` (created or replaced), in the
// order given, each sheet as it would be alone, with the library's temporary
// files in `temp_folder`; a sheet without a name gets the spreadsheet's own
// (Sheet1, Sheet2 ...). Numbers are written the same whatever the process
// locale. Returns nothing on success, else what went wrong.
std::optional<Problem> xlsx_write_workbook(std::span<const WorkbookSheet> sheets,
                                           const std::string& path, std::time_t created,
                                           const std::string& temp_folder);

// The same for a one-sheet workbook.
std::optional<Problem> xlsx_write_report(const ReportSheet& sheet, const std::string& path,
                                         std::time_t created, const std::string& temp_folder);

}  // namespace ordelix
