#include "standard_curve.h"

namespace ordelix {

using namespace layout;

StandardCurve standard_curve_write(ReportContext& c, const StandardCurveStyle& style) {
  ReportSheet& sheet = c.sheet;
  StandardCurve curve;
  double n = header_number(c, 8);
  curve.standards = n;
  int table =
      heading_row(sheet, 12, {"STD No.                ", "Concentration         ", "OD Value "});
  separator_row(sheet, 13, 80);
  counted_rows_write(c, 8, [&] { data_numbers(sheet, 14, round_half_even_int16(13 + n)); });

  // Standard i: concentration on line 10 + 2i, OD value on line 11 + 2i.
  DataCursor standards(sheet, 14, col_c, col_e);
  data_lines_write(c, 12, [&](int line, std::string_view value) {
    if (line <= 11 + 2 * n) standards.write(value);
  });

  curve.equation_row = round_half_even_int16(14 + n);
  if (n >= 1 && n <= 9) {
    count_check(c, 8, n, "standard", 2, 12);
    int fit_line = round_half_even_int16(12 + 2 * n);
    double intercept = header_number(c, fit_line);
    double slope = header_number(c, fit_line + 1);
    double r = header_number(c, fit_line + 2);
    note_text(sheet, table, curve.equation_row, col_a,
              calibration_equation(slope, intercept, style.join));
    note_text(sheet, table, curve.equation_row, col_e, correlation_text(r));
    curve.header_end = fit_line + 3;
    curve.samples = sample_count_read(c, fit_line + 3, style.lines_per_sample, fit_line + 4);
  } else {
    header_code_check(c, 8, false, "standard counts 1 to 9", style.without_fit);
  }
  blank_row(sheet, curve.equation_row + 1, 62);
  return curve;
}

}  // namespace ordelix
