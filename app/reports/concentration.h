#pragma once

#include "report_context.h"

namespace ordelix {

// Concentration runs at one to three wavelengths, standard-curve or K-factor layout.
Result<void> concentration_write(ReportContext& context);

}  // namespace ordelix
