#pragma once

#include "report_context.h"

namespace ordelix {

// Dye-labelled nucleic acid runs (line 1 is 5, line 3 is 1 to 4): the dye and
// its constants, and eleven values per sample. Called after the nucleic acid
// pre-scan.
Result<void> nucleic_acid_dye_write(ReportContext& context);

}  // namespace ordelix
