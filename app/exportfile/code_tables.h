#pragma once

#include <optional>
#include <span>
#include <string_view>

namespace ordelix {

// A code as stored in the file, compared as a number, and the words for it.
struct CodeText {
  double code;
  std::string_view text;
};

std::optional<std::string_view> code_text_lookup(std::span<const CodeText> table, double code);

// Concentration units by code 0 to 15.
std::span<const CodeText> unit_code_table();

// Path length in millimetres for the code of header line 5, if the code has one.
std::optional<double> path_length_of_code(double code);

}  // namespace ordelix
