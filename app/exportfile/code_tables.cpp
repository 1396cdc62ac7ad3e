#include "code_tables.h"

#include <array>

namespace ordelix {

std::optional<std::string_view> code_text_lookup(std::span<const CodeText> table, double code) {
  for (const CodeText& entry : table)
    if (entry.code == code) return entry.text;
  return std::nullopt;
}

std::span<const CodeText> unit_code_table() {
  static constexpr std::array<CodeText, 16> table{{
      {0, "ug/ml"},
      {1, "ug/ul"},
      {2, "ng/ul"},
      {3, "mg/ml"},
      {4, "pmol/ul"},
      {5, "mmol/ul"},
      {6, "umol/l"},
      {7, "mg/l"},
      {8, "mg/dl"},
      {9, "ug/l"},
      {10, "g/l"},
      {11, "U/l"},
      {12, "ppm"},
      {13, "ppb"},
      {14, "%"},
      {15, "conc"},
  }};
  return table;
}

std::optional<double> path_length_of_code(double code) {
  static constexpr std::array<double, 7> by_code{0.1, 0.125, 0.2, 0.5, 1, 2, 5};
  for (std::size_t i = 0; i < by_code.size(); ++i)
    if (code == static_cast<double>(i)) return by_code[i];
  if (code >= 7 && code <= 10000) return 10;
  return std::nullopt;
}

}  // namespace ordelix
