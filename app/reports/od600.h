#pragma once

#include "report_context.h"

namespace ordelix {

// OD600 runs: plain OD, or cells/ml from the OD with a factor and a multiple.
Result<void> od600_write(ReportContext& context);

}  // namespace ordelix
