#pragma once

#include <ctime>

#include "run_data.h"
#include "sheet/report_sheet.h"

namespace ordelix {

// The header, tables and Time & Date of a report sheet, by the parts its
// writer marked; its dates show `created`. Layout text is left out, and so
// are empty texts, which a workbook holds as empty cells. Cells in rows of no
// part, or where their row's part has no place for them, are the notes of
// the table above them (of the first table, above the first).
RunData run_data_read(const ReportSheet& sheet, std::time_t created);

}  // namespace ordelix
