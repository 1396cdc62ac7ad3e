#pragma once

#include "report_context.h"

namespace ordelix {

// Concentration runs at one to three wavelengths, standard-curve or K-factor layout.
ReportRefusal concentration_write(ReportContext& context);

}  // namespace ordelix
