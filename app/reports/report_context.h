#pragma once

#include <string>

#include "exportfile/export_reader.h"
#include "report_sheet.h"

namespace ordelix {

// What a report writer works on: the reading passes over one export file and
// the sheet prepared for its report.
struct ReportContext {
  ExportReader& reader;
  ReportSheet& sheet;
};

// Whether a writer produced a report, and if not, why, in the user's words.
struct ReportOutcome {
  bool written = true;
  std::string reason;

  static ReportOutcome done() { return {}; }
  static ReportOutcome refused(std::string why) { return {false, std::move(why)}; }
};

}  // namespace ordelix
