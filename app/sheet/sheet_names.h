#pragma once

#include <string>
#include <vector>

namespace ordelix {

// Worksheet names for one workbook, one per file name and in that order,
// each as close to its file name as a workbook allows: at most 31
// characters, none of []:*?/\ or control characters (they become '_'), no
// apostrophe first or last, and unique regardless of case (a repeat gets
// " (2)", " (3)" ...). Bytes that are not UTF-8 become '_' as well.
std::vector<std::string> sheet_names_for(const std::vector<std::string>& file_names);

}  // namespace ordelix
