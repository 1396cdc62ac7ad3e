#include "protein_colorimetric.h"

#include <array>

#include "report_layout.h"

namespace ordelix {
namespace {

using namespace layout;

constexpr std::array<CodeText, 4> method_table{{
    {1, "BRADFORD    "},
    {2, "LOWRY       "},
    {3, "BCA         "},
    {4, "BIURET      "},
}};

void data_table_titles(ReportSheet& sheet, int row) {
  heading_row(
      sheet, row,
      {"Data No.     ", "Sample No.   ", "WL1 OD Value ", "OD Value     ", "Concentration"});
}

// Four lines per sample: sample number, WL1 OD value, OD value, concentration.
void samples(ExportReader& reader, ReportSheet& sheet, int first_line, int first_row) {
  DataCursor cursor(sheet, first_row, col_c, col_i);
  reader.for_each_line_from(first_line, [&](int, std::string_view value) { cursor.write(value); });
}

void standard_curve(ExportReader& reader, ReportSheet& sheet) {
  double n = reader.value_of_line(8);
  sheet.set_text(8, col_d, "STD");
  sheet.set_text(11, col_a, blanks(70));
  heading_row(sheet, 12, {"STD No.                ", "Concentration         ", "OD Value "});
  sheet.set_text(13, col_a, separator(80));
  data_numbers(sheet, 14, round_half_even_int16(13 + n));

  // Standard i: concentration on line 10 + 2i, OD value on line 11 + 2i.
  DataCursor standards(sheet, 14, col_c, col_e);
  reader.for_each_line_from(12, [&](int line, std::string_view value) {
    if (line <= 11 + 2 * n) standards.write(value);
  });

  // The fit and the sample count lie within the header only for one to nine
  // standards; for any other count they are unknown and their cells stay empty.
  bool fit_known = n >= 1 && n <= 9;
  double sample_count = 0;
  int e = round_half_even_int16(14 + n);
  if (fit_known) {
    int fit_line = round_half_even_int16(12 + 2 * n);
    double intercept = reader.value_of_line(fit_line);
    double slope = reader.value_of_line(fit_line + 1);
    double r = reader.value_of_line(fit_line + 2);
    sample_count = reader.value_of_line(fit_line + 3);
    sheet.set_text(e, col_a, calibration_equation(slope, intercept));
    sheet.set_text(e, col_e, correlation_text(r));
  }
  sheet.set_text(e + 1, col_a, blanks(62));
  data_table_titles(sheet, e + 2);
  sheet.set_text(e + 3, col_a, separator(87));
  int d = e + 4;
  data_numbers(sheet, d, d - 1 + round_half_even_int16(sample_count));
  samples(reader, sheet, round_half_even_int16(16 + 2 * n), d);
}

void k_factor(ExportReader& reader, ReportSheet& sheet) {
  sheet.set_font("A14:J14", bold_font());
  sheet.set_text(8, col_d, "K FACTOR");
  double intercept = reader.value_of_line(12);
  double slope = reader.value_of_line(13);
  sheet.set_text(12, col_a, calibration_equation(slope, intercept));
  data_table_titles(sheet, 14);
  sheet.set_text(15, col_a, separator(87));
  data_numbers(sheet, 16, 15 + round_half_even_int16(reader.value_of_line(14)));
  samples(reader, sheet, 15, 16);
}

}  // namespace

ReportRefusal protein_colorimetric_write(ReportContext& context) {
  ExportReader& reader = context.reader;
  ReportSheet& sheet = context.sheet;
  reader.ccccc();

  sheet.set_font("A1:C11", bold_font());
  header_row(sheet, 1, "Method                ",
             code_text_lookup(method_table, reader.state().head_value3));
  date_row(sheet, 2, "Time & Date           ", reader.file().created());
  header_row(sheet, 3, separator(71));
  header_row(sheet, 4, "Sample Group Name     ", reader.field_of_line(4));
  path_length_row(sheet, 5, "Pathlength(mm)        ", reader.value_of_line(5));
  header_row(sheet, 6, "Dilution Factor       ", reader.field_of_line(6));
  header_row(sheet, 7, "Unit                  ",
             code_text_lookup(unit_code_table(), reader.value_of_line(7)));
  header_row(sheet, 8, "Calibration Mode      ");
  header_row(sheet, 9, "WL1(nm)               ", reader.field_of_line(11));
  header_row(sheet, 10, "WL Number             ", reader.field_of_line(10));

  double calibration = reader.value_of_line(9);
  if (calibration == 0)
    standard_curve(reader, sheet);
  else if (calibration == 1)
    k_factor(reader, sheet);
  return std::nullopt;
}

}  // namespace ordelix
