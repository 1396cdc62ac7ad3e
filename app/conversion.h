#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "base/problem.h"
#include "exportfile/export_file.h"
#include "reports/measurement_modes.h"
#include "sheet/report_sheet.h"

namespace ordelix {

struct Conversion {
  std::optional<Problem> error;  // set when the file gives no report
  Problems warnings;
  ReportSheet sheet;
  std::time_t created = 0;  // of the export file, within the span a workbook shows

  bool ok() const { return !error; }
};

// Turns an export file already read into its report sheet, as `mode` writes it.
Conversion convert_export(const ExportFile& file, const MeasurementMode& mode);

// Turns one export file into its report sheet. The file is read once and
// only read; every conversion starts afresh.
Conversion convert_export_file(const std::string& path);

}  // namespace ordelix
