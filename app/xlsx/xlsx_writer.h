#pragma once

#include <ctime>
#include <span>
#include <string>

#include "base/result.h"
#include "sheet/report_sheet.h"
#include "zip/zip_bytes.h"

namespace ordelix {

struct WorkbookSheet {
  const ReportSheet* sheet;
  std::string name;  // valid and unique in its workbook (see sheet_names_for)
  // The same sheet, where nothing reads it once the workbook holds its cells:
  // emptied then, making room for the rest of the workbook's making.
  ReportSheet* to_empty = nullptr;
};

// Writes the sheets as one workbook into `zip`, in the order given, each
// sheet as it would be alone, with parts too large for memory in
// `temp_folder`; a sheet without a name gets the spreadsheet's own (Sheet1,
// Sheet2 ...). Numbers are written the same whatever the process locale.
Result<void> xlsx_write_workbook(std::span<const WorkbookSheet> sheets, std::time_t created,
                                 const std::string& temp_folder, ZipBytes& zip);

// The same for a one-sheet workbook.
Result<void> xlsx_write_report(const ReportSheet& sheet, std::time_t created,
                               const std::string& temp_folder, ZipBytes& zip);

}  // namespace ordelix
