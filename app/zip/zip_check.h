#pragma once

#include "base/result.h"
#include "zip_bytes.h"

namespace ordelix {

// Reads a finished workbook back through its zip index: every entry must
// inflate to the size and checksum the index records, and every XML part must
// but the worksheets be a whole document. The first fault found, if any.
Result<void> zip_check(const ZipBytes& zip);

}  // namespace ordelix
