#pragma once

#include "report_context.h"

namespace ordelix {

// Melting-temperature runs (TM): one value per step of a temperature ramp.
Result<void> melting_temperature_write(ReportContext& context);

}  // namespace ordelix
