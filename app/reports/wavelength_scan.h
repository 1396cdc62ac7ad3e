#pragma once

#include "report_context.h"

namespace ordelix {

// Wavelength scans (WSC): one value per wavelength step, with a line chart
// of the spectrum beside the table.
Result<void> wavelength_scan_write(ReportContext& context);

}  // namespace ordelix
