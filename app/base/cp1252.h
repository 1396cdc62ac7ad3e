#pragma once

#include <string>
#include <string_view>

namespace ordelix {

// Export files are single-byte Windows-1252 text; workbooks and windows want
// UTF-8. Bytes with no character of their own keep their code point; NUL,
// which no workbook can hold, becomes U+FFFD.
std::string cp1252_to_utf8(std::string_view bytes);

}  // namespace ordelix
