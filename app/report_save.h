#pragma once

#include <ctime>
#include <optional>
#include <string>
#include <variant>

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

// A save in two steps, for batches that make many reports durable at once.
// A written report is complete under a temporary name beside its target, but
// neither durable nor in place.
struct WrittenReport {
  std::string temp;
  std::string target;
  bool replace_existing = false;
};

// The checks and the writing of a save.
std::variant<WrittenReport, Problem> report_write(std::span<const WorkbookSheet> sheets,
                                                  const std::string& target,
                                                  const SaveOptions& options);
// Moves a written report, made durable meanwhile, to its target; on failure
// the temporary file goes.
std::optional<Problem> report_place(const WrittenReport& written);
// Removes a written report that is not to be placed.
void report_discard(const WrittenReport& written);

}  // namespace ordelix
