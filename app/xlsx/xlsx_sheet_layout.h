#pragma once

#include <xlsxwriter.h>

#include <map>

#include "sheet/report_sheet.h"
#include "xlsx_formats.h"

// How the report sheet is laid out beyond its cells: columns, the look of its
// empty cells and its printed pages.
namespace ordelix {

// One column entry per run of columns alike in width and alignment.
// `widths` as column_widths gives them.
lxw_error columns_set(lxw_worksheet* ws, const ReportSheet& sheet,
                      const std::map<int, double>& widths, Formats& formats);

// Every empty cell of a range with a font set gets that font, so that what a
// user types into the report matches it. Goes before the cells are written.
lxw_error empty_cells_format(lxw_worksheet* ws, const ReportSheet& sheet, Formats& formats);

// Landscape and one page wide over the written cells and the charts, so that
// a printed report keeps its columns and its charts whole on the first page.
lxw_error page_setup(lxw_worksheet* ws, const ReportSheet& sheet,
                     const std::map<int, double>& widths);

}  // namespace ordelix
