#pragma once

#include <string>

#include "base/result.h"
#include "batch/report_format.h"

namespace ordelix {

enum class ExistingReport {
  none,      // nothing stands at the name, or nothing the save would not refuse anyway
  complete,  // a whole report, to be kept
};

// What stands at a report's name, for a batch that keeps the reports made
// before. Only a regular file is looked at: a folder, pipe, device or link
// there is `none`, left for the save to refuse as ever. A regular file is
// trusted only when it ends as a report of `format` ends: a workbook's zip
// index and headers whole (its contents are not inflated), JSON's closing
// bracket, CSV's last line end. Errors: existing_report_incomplete,
// existing_report_unreadable.
Result<ExistingReport> existing_report_at(const std::string& target, ReportFormat format);

}  // namespace ordelix
