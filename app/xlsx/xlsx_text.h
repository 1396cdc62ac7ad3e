#pragma once

#include <string>
#include <string_view>

namespace ordelix {

// UTF-8 text as a workbook's string cells hold it. The format reads
// "_xHHHH_" as the character HHHH, so an underscore that would start such a
// sequence is itself written as one ("_x005F_"), and control characters, which
// the format cannot hold as they are, are written as theirs; every reader then
// shows the text as it was. Tab and line feed stay as they are.
std::string xlsx_escape(std::string_view utf8);

}  // namespace ordelix
