#pragma once

#include <ctime>
#include <string>
#include <vector>

#include "report_sheet.h"

namespace ordelix {

enum class ConvertError {
  none,
  unreadable,    // the export file cannot be read
  unknown_mode,  // the file name names no measurement mode
  no_report,     // the file's header selects no report
};

struct Conversion {
  ConvertError error = ConvertError::none;
  std::string reason;  // worded for the user when error is not none
  std::vector<std::string> warnings;
  ReportSheet sheet;
  std::time_t created = 0;  // of the export file

  bool ok() const { return error == ConvertError::none; }
};

// Turns one export file into its report sheet. The file is read once and
// only read; every conversion starts afresh.
Conversion convert_export_file(const std::string& path);

}  // namespace ordelix
