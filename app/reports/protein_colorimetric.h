#pragma once

#include "report_context.h"

namespace ordelix {

// Bradford, Lowry, BCA and Biuret runs, standard-curve or K-factor layout.
ReportRefusal protein_colorimetric_write(ReportContext& context);

}  // namespace ordelix
