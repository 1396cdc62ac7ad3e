#pragma once

#include <string>

#include "batch/report_format.h"
#include "conversion.h"
#include "rundata/run_data.h"

namespace ordelix {

// The run as data: what the report of the export file at `path`, converted
// as `conversion`, shows, and the warnings it gave.
RunData run_data_of(const std::string& path, const Conversion& conversion);

// The run as data in a file of `format`: CSV with `csv_separator`, or else JSON.
std::string run_data_text(const RunData& data, ReportFormat format, char csv_separator);

}  // namespace ordelix
