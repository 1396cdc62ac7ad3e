#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>

namespace ordelix {

// Doubles to and from text as the standard library's from_chars and to_chars
// read and write them, on every target.

// The value of a text that is an unsigned decimal number whole: digits with
// at most one ".", at least one digit, then an exponent ("e" or "E", a sign
// or none, digits) or none. Nothing for any other text, or when the value
// lies beyond what a double holds (it would be infinite, or zero from digits
// that are not).
std::optional<double> decimal_text_value(std::string_view text);

// `value` with `precision` as printf's "%.*g" (general), "%.*e" (scientific)
// or "%.*f" (fixed) writes it in the "C" locale; "" when it takes more than
// 400 characters.
std::string float_text(double value, std::chars_format format, int precision);

// The shortest text that reads back as `value` exactly, "." as its decimal
// point whatever the locale: "0.1", "1e-07", "-0". Not for infinities or NaN.
std::string float_text_shortest(double value);

}  // namespace ordelix
