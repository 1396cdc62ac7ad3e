#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace ordelix {

struct ZipFault {
  std::string what;
  // The bytes an XML part holds when it was found cut short; 0 for other faults.
  std::uint64_t cut_short_bytes = 0;
};

// Reads a finished workbook back through its zip index: every entry must
// inflate to the size and checksum the index records, and every XML part must
// be a whole document. Nothing when the workbook is sound.
std::optional<ZipFault> zip_check(const std::string& path);

}  // namespace ordelix
