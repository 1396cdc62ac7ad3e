#pragma once

#include "report_context.h"

namespace ordelix {

// Kinetics runs (TSC): one value per time point at one wavelength, timed
// from the interval setting.
Result<void> kinetics_write(ReportContext& context);

}  // namespace ordelix
