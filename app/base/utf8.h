#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ordelix {

// Appends `cp`, a Unicode scalar value, in UTF-8.
void utf8_append(std::string& out, char32_t cp);

// Removes the character at the front of `in` and gives it, or gives none for
// a part that decodes to no character. Such a part is never longer than what
// was valid before the fault, so the byte found wrong starts the next
// character, and text after a fault is read as it is.
std::optional<char32_t> utf8_take(std::string_view& in);

// `bytes` as UTF-8 text: each part that decodes to no character becomes
// U+FFFD, as names the system does not hold as UTF-8 may.
std::string utf8_repaired(std::string_view bytes);

}  // namespace ordelix
