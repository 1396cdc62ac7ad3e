#pragma once

#include <ctime>
#include <string>

#include "base/result.h"
#include "exportfile/export_file.h"
#include "reports/measurement_modes.h"
#include "sheet/report_sheet.h"

namespace ordelix {

// An export file's report, and what was amiss in the file.
struct Conversion {
  ReportSheet sheet;
  std::time_t created = 0;  // of the export file, within the span a workbook shows
  Problems warnings;        // in the order of the file
};

// Turns an export file already read into its report sheet, as `mode` writes
// it; the error says why the file gives none.
Result<Conversion> convert_export(const ExportFile& file, const MeasurementMode& mode);

// Turns one export file into its report sheet. The file is read once and
// only read; every conversion starts afresh.
Result<Conversion> convert_export_file(const std::string& path);

}  // namespace ordelix
