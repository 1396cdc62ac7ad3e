#pragma once

#include <optional>
#include <string>

#include "exportfile/export_reader.h"
#include "problem.h"
#include "report_sheet.h"

namespace ordelix {

// What a report writer works on: the reading passes over one export file and
// the sheet prepared for its report, and where it tells of what it found amiss.
struct ReportContext {
  ExportReader& reader;
  ReportSheet& sheet;
  Problems& warnings;
};

// A writer returns nothing when it wrote its report, else why the file gives none.
using ReportRefusal = std::optional<Problem>;

inline ReportRefusal report_refused(std::string why, long line = 0) {
  return Problem{ProblemKind::no_report, line, std::move(why)};
}

}  // namespace ordelix
