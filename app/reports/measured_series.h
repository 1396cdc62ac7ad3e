#pragma once

#include <span>
#include <string>
#include <string_view>

#include "exportfile/code_tables.h"
#include "report_sheet.h"

// Pieces shared by the reports of one measured series: kinetics, melting
// temperature and wavelength scan.
namespace ordelix::series {

// Data mode by the first character of line 6: "%T", "OD", "E(S)".
std::span<const CodeText> data_mode_table();

// `text` followed by blanks up to `width` characters.
std::string padded(std::string_view text, int width);

// Column `col` from `first_row` down to the row `last_row` rounds to (halves
// to even): `start`, then each row the one above plus `step`, by repeated
// addition so that a fractional step carries its rounding error on. Rows
// past the sheet are not looped over; they count as dropped writes.
void running_column(ReportSheet& sheet, int col, int first_row, double last_row, double start,
                    double step);

}  // namespace ordelix::series
