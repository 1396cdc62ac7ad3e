#pragma once

#include "base/result.h"
#include "zip_bytes.h"

namespace ordelix {

// Reads a finished workbook back through its zip index: every entry must
// inflate to the size and checksum the index records, and every XML part must
// but the worksheets be a whole document. The first fault found, if any.
Result<void> zip_check(const ZipSource& zip);

// The same short of inflating: the zip ends with its end record, and its
// index lists every entry at a local header that agrees with it. Reads the
// index and the headers only; enough to tell a workbook cut short or not a
// workbook at all from one written whole.
Result<void> zip_index_check(const ZipSource& zip);

}  // namespace ordelix
