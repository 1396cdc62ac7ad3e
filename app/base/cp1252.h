#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ordelix {

// Export files are single-byte Windows-1252 text; workbooks and windows want
// UTF-8. Bytes with no character of their own keep their code point; NUL,
// which no workbook can hold, becomes U+FFFD.
std::string cp1252_to_utf8(std::string_view bytes);

// The byte that holds Unicode character `cp` in Windows-1252, or none where
// the code page has no such character. The unassigned bytes and NUL come back
// from their own code points.
std::optional<char> cp1252_byte_of(char32_t cp);

}  // namespace ordelix
