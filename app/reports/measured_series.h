#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "exportfile/code_tables.h"
#include "report_context.h"
#include "sheet/report_sheet.h"

// Pieces shared by the reports of one measured series: kinetics, melting
// temperature and wavelength scan.
namespace ordelix::series {

// The data mode by the first character of line 6: "%T", "OD", "E(S)", or
// none for a code outside the table, of which it warns.
std::optional<std::string_view> data_mode_read(ReportContext& c);

// `text` followed by blanks up to `width` characters.
std::string padded(std::string_view text, int width);

// Column `col` from `first_row` down to the row `last_row` rounds to (halves
// to even): `start`, then each row the one above plus `step`, by repeated
// addition so that a fractional step carries its rounding error on. Rows
// past the sheet are not looped over; they count as dropped writes.
void running_column(ReportSheet& sheet, int col, int first_row, double last_row, double start,
                    double step);

}  // namespace ordelix::series
