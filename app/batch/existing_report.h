#pragma once

#include <string>

#include "base/result.h"

namespace ordelix {

enum class ExistingReport {
  none,      // nothing stands at the name, or nothing the save would not refuse anyway
  complete,  // a whole workbook, to be kept
};

// What stands at a report's name, for a batch that keeps the reports made
// before. Only a regular file is looked at: a folder, pipe, device or link
// there is `none`, left for the save to refuse as ever. A regular file is
// trusted only when its zip index and headers are whole; its contents are
// not inflated. Errors: existing_report_incomplete, existing_report_unreadable.
Result<ExistingReport> existing_report_at(const std::string& target);

}  // namespace ordelix
