#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace ordelix {

// A text that a spreadsheet takes as a number when it is assigned to a cell:
// trimmed of blanks, an optional sign, digits with at most one ".", at least
// one digit, an optional exponent. Values a double cannot hold stay text.
std::optional<double> numeric_text_value(std::string_view text);

// A number as the report prints it inside a text: up to 15 significant
// digits, no trailing zeros, "." as decimal point, "E+15" style exponents.
std::string general_number_text(double value);

// A number with a fixed count of decimals and a leading digit ("0.990").
std::string fixed_number_text(double value, int decimals);

}  // namespace ordelix
