#pragma once

#include "report_context.h"

namespace ordelix {

// Protein files: lines 1 and 3 tell colorimetric, UV and UV dye runs apart.
Result<void> protein_write(ReportContext& context);

}  // namespace ordelix
