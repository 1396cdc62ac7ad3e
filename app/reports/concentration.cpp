#include "concentration.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "report_checks.h"
#include "report_layout.h"
#include "standard_curve.h"

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
void header_block(ReportContext& c, int w) {
  ExportReader& reader = c.reader;
  ReportSheet& sheet = c.sheet;
  header_row(sheet, 1, "Method                ", "CONCENTRATION" + blanks(35));
  date_row(sheet, 2, "Time & Date           ", reader.file().created());
  separator_row(sheet, 3, 69);
  header_row(sheet, 4, "Sample Group Name     ", reader.field_of_line(4));
  path_length_row(sheet, 5, "Pathlength(mm)        ", header_path_length(c));
  header_row(sheet, 6, "WL Number             ", reader.field_of_line(10));
  for (int i = 0; i < w; ++i)
    header_row(sheet, 7 + i, wavelength_labels[static_cast<std::size_t>(i)],
               reader.field_of_line(11 + i));
  int unit_row = 7 + w;
  header_row(sheet, unit_row, "Unit               ",
             header_code_text(c, 7, unit_code_table(), "unit codes", "the unit stays empty"));
  header_row(sheet, unit_row + 1, "Calibration Mode      ",
             header_code_text(c, 9, calibration_modes, "calibration codes 0 and 1",
                              "the report ends after its header"));
  header_row(sheet, unit_row + 2, "Std Number            ", reader.field_of_line(8));
  blank_row(sheet, unit_row + 3, 70);
}

struct SampleTableAt {
  int table;
  int last_col;  // the last value column
};

// Writes the heading and separator rows. An unknown wavelength count gives no
// width, so each value then takes a row, with no heading above it.
SampleTableAt sample_table_heading(ReportSheet& sheet, int row, int w) {
  sheet.set_text(row, col_a, "Data No.   ");
  int last_col = col_c;
  if (w > 0) {
    const SampleTable& table = sample_tables[static_cast<std::size_t>(w - 1)];
    int col = col_c;
    for (std::string_view heading : table.headings) {
      if (heading.empty()) break;
      sheet.set_text(row, col, heading);
      col += 2;
    }
    separator_row(sheet, row + 1, table.separator_hyphens);
    last_col = table.last_col;
  }
  int columns = (last_col - col_a) / 2 + 1;
  return {table_begin(sheet, row, row + 2, columns_from_a(columns)), last_col};
}

// The samples numbered from `first_row` to `last_row`, their values every
// line after `after_line`, row after row. No count above 0 lists none.
void samples(ReportContext& c, const SampleCount& counted, int first_row, double last_row,
             double after_line, int last_col) {
  int first_line = static_cast<int>(std::clamp(std::floor(after_line) + 1, 1.0, 1e9));
  if (!(counted.count > 0)) {
    lines_after_check(c, first_line);
    return;
  }
  sample_numbers_write(c, counted, first_row, round_half_even_int16(last_row));
  DataCursor cursor(c.sheet, first_row, col_c, last_col);
  data_lines_write(c, first_line, [&](int, std::string_view value) { cursor.write(value); });
}

void standard_curve(ReportContext& c, int w) {
  c.sheet.set_font("A12:J12", bold_font());
  int lines_per_sample = w == 0 ? 0 : w + 3;
  StandardCurve curve =
      standard_curve_write(c, {InterceptJoin::plus_when_positive, lines_per_sample,
                               "the report shows no equation and no samples"});
  header_check_end(c, std::max(curve.header_end, 10 + w));
  int last_col = sample_table_heading(c.sheet, curve.equation_row + 2, w).last_col;
  double n = curve.standards;
  // Without a known fit the sample count is unknown too, and no sample is listed.
  if (curve.samples.line > 0)
    samples(c, curve.samples, curve.equation_row + 4, n + 17 + curve.samples.count, 15 + 2 * n,
            last_col);
}

void k_factor(ReportContext& c, int w) {
  ReportSheet& sheet = c.sheet;
  sheet.set_font("A14:J14", bold_font());
  header_check_end(c, 14);
  double intercept = header_number(c, 12);
  double slope = header_number(c, 13);
  SampleTableAt samples_table = sample_table_heading(sheet, 14, w);
  note_text(sheet, samples_table.table, 12, col_a,
            calibration_equation(slope, intercept, InterceptJoin::plus_when_positive));
  int last_col = samples_table.last_col;
  // The samples begin after line 13 + the wavelength count, known or not.
  double after_line = 13 + c.reader.value_of_line(10);
  SampleCount counted = sample_count_read(c, 14, w == 0 ? 0 : w + 3, 14 + w);
  samples(c, counted, 16, 15 + counted.count, after_line, last_col);
}

}  // namespace

Result<void> concentration_write(ReportContext& context) {
  context.sheet.set_font("A1:C12", bold_font());
  context.reader.read_header(33);

  double w_value = header_number(context, 10);
  int w = known_wavelength_count(w_value);
  header_code_check(context, 10, w > 0, "wavelength counts 1 to 3",
                    "the report shows no wavelengths and one value per row");
  if (w > 0) count_check(context, 10, w, "wavelength", 1, 11);
  header_block(context, w);
  double calibration = header_number(context, 9);
  if (calibration == 0)
    standard_curve(context, w);
  else if (calibration == 1)
    k_factor(context, w);
  else
    header_check_end(context, 10 + w);
  return {};
}

}  // namespace ordelix
