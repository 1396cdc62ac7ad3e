#pragma once

#include <span>

#include "exportfile/code_tables.h"
#include "report_context.h"

namespace ordelix {

// Nucleic acid files: the pre-scan of 21 lines chooses between the plain
// report (line 1 is 1) and the dye report (line 1 is 5), for sample types 1
// to 4 on line 3; any other pair selects no report.
Result<void> nucleic_acid_write(ReportContext& context);

// The plain nucleic acid report alone; the pre-scan has been made.
Result<void> nucleic_acid_plain_write(ReportContext& context);

// Rows 1 to 7, which the plain and the dye report share: method (the sample
// type of line 3 from `sample_types`), date, group, path length, dilution,
// background.
void nucleic_acid_first_rows(ReportContext& context, std::span<const CodeText> sample_types);

}  // namespace ordelix
