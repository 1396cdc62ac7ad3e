#pragma once

#include <string>

#include "base/result.h"
#include "batch/report_format.h"
#include "zip/zip_bytes.h"

namespace ordelix {

enum class ExistingReport {
  none,  // nothing stands at the name, or nothing the save would not refuse anyway
  same,  // the very report its export file gives now, to be kept
};

// What stands at a report's name, for a batch that keeps the reports made
// before, against `fresh`, the report of `format` that its export file gives
// now. Only a regular file is looked at: a folder, pipe, device or link there
// is `none`, left for the save to refuse as ever. A regular file is kept only
// when it is that report: a workbook whose every part inflates to its
// checksum, as a new one is checked, and to what `fresh` holds; data equal to
// `fresh` byte for byte. Errors: existing_report_incomplete (cut short or
// damaged), existing_report_differs (another file's report, or this one's as
// it was), existing_report_unreadable.
Result<ExistingReport> existing_report_at(const std::string& target, ReportFormat format,
                                          const ZipSource& fresh);

}  // namespace ordelix
