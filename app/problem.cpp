#include "problem.h"

#include <cstring>

#include "report_sheet.h"

namespace ordelix {
namespace {

std::string with_reason(const char* what, int sys_errno) {
  return std::string(what) + ": " + std::strerror(sys_errno);
}

}  // namespace

std::string problem_text(const Problem& p) {
  switch (p.kind) {
    case ProblemKind::cannot_open:
      return with_reason("cannot open", p.sys_errno);
    case ProblemKind::is_folder:
      return "is a folder, not an export file";
    case ProblemKind::cannot_read:
      return with_reason("cannot read", p.sys_errno);
    case ProblemKind::too_large:
      return "is larger than 64 MiB and cannot be an export file";
    case ProblemKind::no_mode:
      return "the extension names no measurement mode (PRO, NUC, CON, PHT, OD, TSC, TM, WSC)";
    case ProblemKind::no_report:
      return p.detail;
    case ProblemKind::target_exists:
      return "the report file already exists";
    case ProblemKind::target_is_input:
      return "the report would replace the export file itself";
    case ProblemKind::cannot_create:
      return with_reason("cannot create a file in the report's folder", p.sys_errno);
    case ProblemKind::write_failed:
      return "writing the workbook failed: " + p.detail;
    case ProblemKind::cannot_place:
      return with_reason("cannot move the finished report into place", p.sys_errno);
    case ProblemKind::rows_beyond_limit:
      return p.detail + " values beyond row " + std::to_string(ReportSheet::max_row) +
             " were left out";
  }
  return "unknown problem";
}

}  // namespace ordelix
