#pragma once

#include "report_context.h"

namespace ordelix {

// Protein UV runs (line 1 is 6, line 3 is 1): A260, A280, A320 and A280/A260
// of each sample. Called after the protein pre-scan.
Result<void> protein_uv_write(ReportContext& context);

}  // namespace ordelix
