#pragma once

#include <emscripten/val.h>

#include "sheet/report_sheet.h"

namespace ordelix {

// The report sheet as the page shows it, a JavaScript object: { lastRow,
// lastCol, cells: {rows, cols, fonts, fontList, kinds, values}, merges:
// [[r1, c1, r2, c2]], leftColumns, widths: [{col, chars}], charts }, the
// cells in columns (app/web/cells.js). Rows and columns count from 1; texts
// are UTF-8, dates "yyyy/M/d h:mm:ss".
emscripten::val sheet_value(const ReportSheet& sheet);

}  // namespace ordelix
