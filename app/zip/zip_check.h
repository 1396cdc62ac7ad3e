#pragma once

#include <optional>
#include <string>

#include "zip_bytes.h"

namespace ordelix {

struct ZipFault {
  std::string what;
};

// Reads a finished workbook back through its zip index: every entry must
// inflate to the size and checksum the index records, and every XML part must
// but the worksheets be a whole document. Nothing when the workbook is sound.
std::optional<ZipFault> zip_check(const ZipBytes& zip);

}  // namespace ordelix
