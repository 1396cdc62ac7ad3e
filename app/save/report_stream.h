#pragma once

#include <ctime>
#include <span>

#include "base/result.h"
#include "xlsx/xlsx_writer.h"

namespace ordelix {

// Writes the workbook to an output the caller holds open by its descriptor
// (standard output, say), once it is checked as a save checks it.
Result<void> report_stream(std::span<const WorkbookSheet> sheets, int descriptor,
                           std::time_t created);

}  // namespace ordelix
