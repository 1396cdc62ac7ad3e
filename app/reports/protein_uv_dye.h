#pragma once

#include "report_context.h"

namespace ordelix {

// Protein UV dye runs (line 1 is 6, line 3 is 2): the protein, the dye and its
// constants, and nine values per sample. Called after the protein pre-scan.
Result<void> protein_uv_dye_write(ReportContext& context);

}  // namespace ordelix
