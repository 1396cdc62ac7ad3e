#include "protein_uv_dye.h"

#include "report_checks.h"
#include "report_layout.h"

namespace ordelix {
namespace {

using namespace layout;

// Nine lines per sample from line 26: sample number, A260, A280, A320, dye
// absorbance, A260/A280, concentration, dye concentration, degree of labelling.
void dye_samples(ReportContext& c) {
  DataCursor cursor(c.sheet, 20, col_c, col_s);
  data_lines_write(c, 26, [&](int, std::string_view value) { cursor.write(value); });
}

}  // namespace

Result<void> protein_uv_dye_write(ReportContext& context) {
  ExportReader& reader = context.reader;
  ReportSheet& sheet = context.sheet;
  reader.read_header(25);
  header_check_end(context, 25);

  // The only font call: the heading row 18 stays plain.
  sheet.set_font("A1:C16", bold_font());
  header_row(sheet, 1, "Method                ", "PROTEIN UV DYE");
  date_row(sheet, 2, "Time & Date           ", reader.file().created());
  separator_row(sheet, 3, 71);
  header_row(sheet, 4, "Sample Name           ", reader.field_of_line(4));
  path_length_row(sheet, 5, "Pathlength(mm)        ", header_path_length(context));
  header_row(sheet, 6, "DI Factor             ", reader.field_of_line(6));
  background_row_by_value(sheet, 7, "Background            ", header_background(context));
  header_row(sheet, 8, "A280 Factor           ", reader.field_of_line(13));
  header_row(sheet, 9, "A260 Factor           ", reader.field_of_line(14));
  header_row(sheet, 10, "Protein               ",
             header_code_text(context, 15, protein_code_table(), "protein codes",
                              "the protein stays empty"));
  header_row(
      sheet, 11, "Dye Type              ",
      header_code_text(context, 19, dye_code_table(), "dye codes", "the dye type stays empty"));
  header_row(sheet, 12, "Pro Ext Coefficient   ", reader.field_of_line(20));
  header_row(sheet, 13, "Dye OD Max            ", reader.field_of_line(21));
  header_row(sheet, 14, "Dye Ext Coeff         ", reader.field_of_line(22));
  header_row(sheet, 15, "Dye Correct           ", reader.field_of_line(23));
  header_row(
      sheet, 16, "Unit                  ",
      header_code_text(context, 24, five_code_unit_table(), "unit codes", "the unit stays empty"));
  blank_row(sheet, 17, 76);

  heading_row(sheet, 18,
              {"Data No.", "Sample No.", "A260 ", "A280", "A320", "Dye   ", "A260/A280",
               "Concentration", "Dye-Concentration", "Degree of labelling"});
  hyphen_row(sheet, 19, 184);
  SampleCount samples_counted = sample_count_read(context, 25, 9, 26);
  sample_numbers_write(context, samples_counted, 20,
                       round_half_even_int16(samples_counted.count + 19));
  dye_samples(context);
  return {};
}

}  // namespace ordelix
