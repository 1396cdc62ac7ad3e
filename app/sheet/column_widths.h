#pragma once

#include <map>

#include "report_sheet.h"

namespace ordelix {

// Column widths in characters of the workbook's default font, as spreadsheets
// count them; a column of default_column_width is 64 pixels wide.
constexpr double default_column_width = 8.43;

// The widths that differ from the default: a date-time cell's first column is
// widened until the cell, merged or not, shows the widest date whole.
std::map<int, double> column_widths(const ReportSheet& sheet);

// Pixels of a column of `width` characters, as spreadsheets lay it out.
int column_pixels(double width);

}  // namespace ordelix
