#pragma once

#include "report_context.h"

namespace ordelix {

// Photometry runs: every sample read at one to six wavelengths, as OD/Abs or %T.
Result<void> photometry_write(ReportContext& context);

}  // namespace ordelix
