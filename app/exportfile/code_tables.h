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

// The entry of a table whose `code` equals `code`, compared as numbers.
template <class Entry>
const Entry* code_entry_lookup(std::span<const Entry> table, double code) {
  for (const Entry& entry : table)
    if (entry.code == code) return &entry;
  return nullptr;
}

std::optional<std::string_view> code_text_lookup(std::span<const CodeText> table, double code);

// Concentration units by code 0 to 15.
std::span<const CodeText> unit_code_table();

// The five-code unit list of the protein UV, protein UV dye and nucleic acid
// reports: codes 0 to 3 as in the common table, code 4 "mol/ul".
std::span<const CodeText> five_code_unit_table();
// The four-code unit list of the nucleic acid dye report: the first four rows
// of the five-code list (code 4 has no text there).
std::span<const CodeText> four_code_unit_table();

// Proteins of the protein UV and UV dye reports, codes 0 to 6.
std::span<const CodeText> protein_code_table();

// Dye names of the protein UV dye and nucleic acid dye reports, codes 0 to 21.
std::span<const CodeText> dye_code_table();

// Path length in millimetres for the code of header line 5, if the code has one.
std::optional<double> path_length_of_code(double code);

}  // namespace ordelix
