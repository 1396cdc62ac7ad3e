#pragma once

#include <ctime>
#include <string>

#include "report_sheet.h"

namespace ordelix {

enum class SaveError {
  none,
  target_exists,    // and replacing it was not asked for
  target_is_input,  // the report would replace the export file itself
  cannot_create,    // the folder cannot take a new file
  write_failed,
  cannot_place,  // the finished file could not be moved into place
};

struct SaveOptions {
  bool replace_existing = false;
  std::string input_path;  // never written over, whatever replace_existing says
  std::time_t created = 0;
};

struct SaveResult {
  SaveError error = SaveError::none;
  int sys_errno = 0;
  std::string detail;
  bool ok() const { return error == SaveError::none; }
};

// Saves atomically: the workbook is written to a temporary file in the target's
// folder and renamed over the target only when complete; on failure nothing is
// left behind.
SaveResult report_save(const ReportSheet& sheet, const std::string& target,
                       const SaveOptions& options);
std::string save_error_text(const SaveResult& result);

}  // namespace ordelix
