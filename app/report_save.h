#pragma once

#include <ctime>
#include <optional>
#include <string>

#include "problem.h"
#include "report_sheet.h"
#include "xlsx_writer.h"

namespace ordelix {

struct SaveOptions {
  bool replace_existing = false;
  std::string input_path;  // never written over, whatever replace_existing says
  std::time_t created = 0;
};

// Saves atomically: the workbook is written to a temporary file in the target's
// folder and renamed over the target only when complete; on failure nothing is
// left behind. Returns nothing on success, else the error.
std::optional<Problem> report_save(const ReportSheet& sheet, const std::string& target,
                                   const SaveOptions& options);

// The same for a workbook of several sheets.
std::optional<Problem> report_save_workbook(std::span<const WorkbookSheet> sheets,
                                            const std::string& target, const SaveOptions& options);

}  // namespace ordelix
