#include "concentration.h"

#include <array>

#include "report_layout.h"

namespace ordelix {
namespace {

using namespace layout;

constexpr std::array<CodeText, 2> calibration_modes{{
    {0, "STD"},
    {1, "K FACTOR"},
}};

constexpr std::array<std::string_view, 3> wavelength_labels{
    "WL1(nm)               ",
    "WL2(nm)               ",
    "WL3(nm)               ",
};

// The sample table for one, two and three wavelengths.
struct SampleTable {
  std::array<std::string_view, 6> headings;  // columns C, E, G, ...; unused ones empty
  int separator_hyphens;
  int last_col;
};

constexpr std::array<SampleTable, 3> sample_tables{{
    {{"Sample No.  ", "WL1 OD Value", "OD Value     ", "Concentration"}, 88, 9},
    {{"Sample No.", "WL1 OD Value", "WL2 OD Value", "OD Value     ", "Concentration"}, 103, 11},
    {{"Sample No.", "WL1 OD Value", "WL2 OD Value", "WL3 OD Value", "OD Value     ",
      "Concentration"},
     118,
     13},
}};

// The wavelength count as the layout knows it: 1, 2 or 3, otherwise 0.
int known_wavelength_count(double w) {
  for (int count = 1; count <= 3; ++count)
    if (w == count) return count;
  return 0;
}

// Without a known wavelength count there are no wavelength rows, so the rows
// that follow them come straight after the "WL Number" row.
void header_block(ExportReader& reader, ReportSheet& sheet, int w) {
  header_row(sheet, 1, "Method                ", "CONCENTRATION" + blanks(35));
  date_row(sheet, 2, "Time & Date           ", reader.file().created());
  header_row(sheet, 3, separator(69));
  header_row(sheet, 4, "Sample Group Name     ", reader.field_of_line(4));
  path_length_row(sheet, 5, "Pathlength(mm)        ", reader.value_of_line(5));
  header_row(sheet, 6, "WL Number             ", reader.field_of_line(10));
  for (int i = 0; i < w; ++i)
    header_row(sheet, 7 + i, wavelength_labels[static_cast<std::size_t>(i)],
               reader.field_of_line(11 + i));
  int unit_row = 7 + w;
  header_row(sheet, unit_row, "Unit               ",
             code_text_lookup(unit_code_table(), reader.value_of_line(7)));
  header_row(sheet, unit_row + 1, "Calibration Mode      ",
             code_text_lookup(calibration_modes, reader.value_of_line(9)));
  header_row(sheet, unit_row + 2, "Std Number            ", reader.field_of_line(8));
  header_row(sheet, unit_row + 3, blanks(70));
}

// Writes the heading and separator rows; returns the last value column. An
// unknown wavelength count gives no width, so each value then takes a row.
int sample_table_heading(ReportSheet& sheet, int row, int w) {
  sheet.set_text(row, col_a, "Data No.   ");
  if (w == 0) return col_c;
  const SampleTable& table = sample_tables[static_cast<std::size_t>(w - 1)];
  int col = col_c;
  for (std::string_view heading : table.headings) {
    if (heading.empty()) break;
    sheet.set_text(row, col, heading);
    col += 2;
  }
  sheet.set_text(row + 1, col_a, separator(table.separator_hyphens));
  return table.last_col;
}

// Every line after `after_line`, row after row from `first_row`.
void samples(ExportReader& reader, ReportSheet& sheet, double after_line, int first_row,
             int last_col) {
  DataCursor cursor(sheet, first_row, col_c, last_col);
  reader.for_each_line_from(1, [&](int line, std::string_view value) {
    if (line > after_line) cursor.write(value);
  });
}

void equation(ExportReader& reader, ReportSheet& sheet, int row, int intercept_line) {
  double intercept = reader.value_of_line(intercept_line);
  double slope = reader.value_of_line(intercept_line + 1);
  sheet.set_text(row, col_a,
                 calibration_equation(slope, intercept, InterceptJoin::plus_when_positive));
}

void standard_curve(ExportReader& reader, ReportSheet& sheet, int w) {
  sheet.set_font("A12:J12", bold_font());
  heading_row(sheet, 12, {"STD No.                ", "Concentration         ", "OD Value "});
  sheet.set_text(13, col_a, separator(80));
  double n = reader.value_of_line(8);
  data_numbers(sheet, 14, round_half_even_int16(13 + n));

  // Standard i: concentration on line 10 + 2i, OD value on line 11 + 2i.
  DataCursor standards(sheet, 14, col_c, col_e);
  reader.for_each_line_from(12, [&](int line, std::string_view value) {
    if (line <= 11 + 2 * n) standards.write(value);
  });

  // The fit and the sample count lie within the first 33 lines only for one
  // to nine standards; for any other count they are unknown, so their cells
  // stay empty and no sample is listed.
  int equation_row = round_half_even_int16(14 + n);
  double sample_count = 0;
  if (n >= 1 && n <= 9) {
    int fit_line = round_half_even_int16(12 + 2 * n);
    equation(reader, sheet, equation_row, fit_line);
    sheet.set_text(equation_row, col_e, correlation_text(reader.value_of_line(fit_line + 2)));
    sample_count = reader.value_of_line(fit_line + 3);
  }
  sheet.set_text(equation_row + 1, col_a, blanks(62));
  int last_col = sample_table_heading(sheet, equation_row + 2, w);
  if (sample_count > 0) {
    int first_row = equation_row + 4;
    data_numbers(sheet, first_row, round_half_even_int16(n + 17 + sample_count));
    samples(reader, sheet, 15 + 2 * n, first_row, last_col);
  }
}

void k_factor(ExportReader& reader, ReportSheet& sheet, int w) {
  sheet.set_font("A14:J14", bold_font());
  equation(reader, sheet, 12, 12);
  int last_col = sample_table_heading(sheet, 14, w);
  double sample_count = reader.value_of_line(14);
  if (sample_count > 0) {
    data_numbers(sheet, 16, round_half_even_int16(15 + sample_count));
    samples(reader, sheet, 13 + reader.value_of_line(10), 16, last_col);
  }
}

}  // namespace

ReportRefusal concentration_write(ReportContext& context) {
  ExportReader& reader = context.reader;
  ReportSheet& sheet = context.sheet;
  sheet.set_font("A1:C12", bold_font());
  reader.read_header(33);

  int w = known_wavelength_count(reader.value_of_line(10));
  header_block(reader, sheet, w);
  double calibration = reader.value_of_line(9);
  if (calibration == 0)
    standard_curve(reader, sheet, w);
  else if (calibration == 1)
    k_factor(reader, sheet, w);
  return std::nullopt;
}

}  // namespace ordelix
