#pragma once

#include "report_context.h"

namespace ordelix {

// Bradford, Lowry, BCA and Biuret runs, standard-curve or K-factor layout.
Result<void> protein_colorimetric_write(ReportContext& context);

}  // namespace ordelix
