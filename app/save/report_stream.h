#pragma once

#include <ctime>
#include <optional>
#include <span>

#include "base/problem.h"
#include "xlsx/xlsx_writer.h"

namespace ordelix {

// Writes the workbook to `fd` (standard output, say), once it is checked as
// a save checks it.
std::optional<Problem> report_stream(std::span<const WorkbookSheet> sheets, int fd,
                                     std::time_t created);

}  // namespace ordelix
