#include "protein_colorimetric.h"

#include <array>

#include "report_checks.h"
#include "report_layout.h"
#include "standard_curve.h"

namespace ordelix {
namespace {

using namespace layout;

constexpr std::array<CodeText, 4> method_table{{
    {1, "BRADFORD    "},
    {2, "LOWRY       "},
    {3, "BCA         "},
    {4, "BIURET      "},
}};

constexpr int colorimetric_sample_lines = 4;

int data_table_titles(ReportSheet& sheet, int row) {
  return heading_row(
      sheet, row,
      {"Data No.     ", "Sample No.   ", "WL1 OD Value ", "OD Value     ", "Concentration"});
}

// Four lines per sample: sample number, WL1 OD value, OD value, concentration.
void samples(ReportContext& c, int first_line, int first_row) {
  DataCursor cursor(c.sheet, first_row, col_c, col_i);
  data_lines_write(c, first_line, [&](int, std::string_view value) { cursor.write(value); });
}

void standard_curve(ReportContext& c) {
  ReportSheet& sheet = c.sheet;
  sheet.set_text(8, col_d, "STD");
  blank_row(sheet, 11, 70);
  StandardCurve curve =
      standard_curve_write(c, {InterceptJoin::always_plus, colorimetric_sample_lines,
                               "the report shows no equation and no data numbers"});
  header_check_end(c, curve.header_end);
  int e = curve.equation_row;
  data_table_titles(sheet, e + 2);
  separator_row(sheet, e + 3, 87);
  int d = e + 4;
  sample_numbers_write(c, curve.samples, d, d - 1 + round_half_even_int16(curve.samples.count));
  samples(c, round_half_even_int16(16 + 2 * curve.standards), d);
}

void k_factor(ReportContext& c) {
  ReportSheet& sheet = c.sheet;
  sheet.set_font("A14:J14", bold_font());
  sheet.set_text(8, col_d, "K FACTOR");
  header_check_end(c, 14);
  double intercept = header_number(c, 12);
  double slope = header_number(c, 13);
  int table = data_table_titles(sheet, 14);
  note_text(sheet, table, 12, col_a, calibration_equation(slope, intercept));
  separator_row(sheet, 15, 87);
  SampleCount samples_counted = sample_count_read(c, 14, colorimetric_sample_lines, 15);
  sample_numbers_write(c, samples_counted, 16, 15 + round_half_even_int16(samples_counted.count));
  samples(c, 15, 16);
}

}  // namespace

Result<void> protein_colorimetric_write(ReportContext& context) {
  ExportReader& reader = context.reader;
  ReportSheet& sheet = context.sheet;
  reader.read_colorimetric_header();

  sheet.set_font("A1:C11", bold_font());
  header_row(sheet, 1, "Method                ",
             code_text_lookup(method_table, reader.state().variant_code));
  date_row(sheet, 2, "Time & Date           ", reader.file().created());
  separator_row(sheet, 3, 71);
  header_row(sheet, 4, "Sample Group Name     ", reader.field_of_line(4));
  path_length_row(sheet, 5, "Pathlength(mm)        ", header_path_length(context));
  header_row(sheet, 6, "Dilution Factor       ", reader.field_of_line(6));
  header_row(sheet, 7, "Unit                  ",
             header_code_text(context, 7, unit_code_table(), "unit codes", "the unit stays empty"));
  header_row(sheet, 8, "Calibration Mode      ");
  header_row(sheet, 9, "WL1(nm)               ", reader.field_of_line(11));
  header_row(sheet, 10, "WL Number             ", reader.field_of_line(10));

  double calibration = header_number(context, 9);
  if (calibration == 0) {
    standard_curve(context);
  } else if (calibration == 1) {
    k_factor(context);
  } else {
    header_check_end(context, 11);
    header_code_check(context, 9, false, "calibration codes 0 and 1",
                      "the report ends after its header");
  }
  return {};
}

}  // namespace ordelix
