#include "nucleic_acid_dye.h"

#include <array>

#include "nucleic_acid.h"
#include "report_checks.h"
#include "report_layout.h"

namespace ordelix {
namespace {

using namespace layout;

constexpr std::array<CodeText, 4> dye_sample_type_table{{
    {1, "dsDNA-DYE"},
    {2, "ssDNA-DYE"},
    {3, "RNA-DYE"},
    {4, "OLIGO-DYE"},
}};

// Eleven lines per sample from line 21: sample number, A230, A260, A280, A320,
// dye absorbance, A260/A280, A260/A230, concentration, dye concentration,
// frequency of incorporation.
void dye_samples(ReportContext& c) {
  DataCursor cursor(c.sheet, 17, col_c, col_w);
  data_lines_write(c, 21, [&](int, std::string_view value) { cursor.write(value); });
}

}  // namespace

Result<void> nucleic_acid_dye_write(ReportContext& context) {
  ExportReader& reader = context.reader;
  ReportSheet& sheet = context.sheet;
  reader.read_header(20, {7});
  header_check_end(context, 20);

  sheet.set_font("A1:C13", bold_font());
  sheet.set_font("A15:X15", bold_font());
  nucleic_acid_first_rows(context, dye_sample_type_table);
  header_row(sheet, 8, "Factor                ", reader.field_of_line(14));
  // Code 4 ("mol/ul" in the plain report) has no text here.
  header_row(
      sheet, 9, "Unit                  ",
      header_code_text(context, 19, four_code_unit_table(), "unit codes", "the unit stays empty"));
  // Rows 10 to 13 have labels of their own widths: 23, 21, 21 and 21.
  header_row(
      sheet, 10, "Dye Type               ",
      header_code_text(context, 15, dye_code_table(), "dye codes", "the dye type stays empty"));
  header_row(sheet, 11, "Dye OD Max           ", reader.field_of_line(16));
  header_row(sheet, 12, "Dye Ext Coefficient  ", reader.field_of_line(17));
  header_row(sheet, 13, "Dye Correction       ", reader.field_of_line(18));
  blank_row(sheet, 14, 70);

  heading_row(
      sheet, 15,
      {"Data No.    ", "Sample No.  ", "A230 ", "A260 ", "A280 ", "A320 ", "Dye  ", "A260/A280",
       "A260/A230", "Concentration", "Dye-Concentration", "Frequency of incorporation"});
  separator_row(sheet, 16, 210);
  SampleCount samples_counted = sample_count_read(context, 20, 11, 21);
  sample_numbers_write(context, samples_counted, 17,
                       round_half_even_int16(samples_counted.count + 16));
  dye_samples(context);
  return {};
}

}  // namespace ordelix
