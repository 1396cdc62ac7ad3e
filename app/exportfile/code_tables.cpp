#include "code_tables.h"

#include <array>

namespace ordelix {

std::optional<std::string_view> code_text_lookup(std::span<const CodeText> table, double code) {
  if (const CodeText* entry = code_entry_lookup(table, code)) return entry->text;
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

std::span<const CodeText> five_code_unit_table() {
  static constexpr std::array<CodeText, 5> table{{
      {0, "ug/ml"},
      {1, "ug/ul"},
      {2, "ng/ul"},
      {3, "mg/ml"},
      {4, "mol/ul"},
  }};
  return table;
}

std::span<const CodeText> four_code_unit_table() {
  return five_code_unit_table().first(4);
}

std::span<const CodeText> protein_code_table() {
  static constexpr std::array<CodeText, 7> table{{
      {0, "BSA"},
      {1, "Serum AL(M)"},
      {2, "Serum AL(H)"},
      {3, "lgG(M)"},
      {4, "Lysozyme(C)"},
      {5, "Molar Ext C"},
      {6, "Ext Coeff."},
  }};
  return table;
}

std::span<const CodeText> dye_code_table() {
  static constexpr std::array<CodeText, 22> table{{
      {0, "A.F.350"},     {1, "A.F.488"},     {2, "A.F.532"},     {3, "A.F.546"},
      {4, "A.F.555"},     {5, "A.F.568"},     {6, "A.F.594"},     {7, "A.F.647"},
      {8, "A.F.660"},     {9, "A.F.680"},     {10, "Cy3"},        {11, "Cy3.5"},
      {12, "Cy5"},        {13, "Cy5.5"},      {14, "Oyster-500"}, {15, "Oyster-550"},
      {16, "Oyster-556"}, {17, "Oyster-645"}, {18, "Oyster-650"}, {19, "Oyster-656"},
      {20, "Texas Red"},  {21, "Custom"},
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
