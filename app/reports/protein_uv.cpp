#include "protein_uv.h"

#include "report_checks.h"
#include "report_layout.h"

namespace ordelix {
namespace {

using namespace layout;

// Six lines per sample from line 25: sample number, A260, A280, A320, a fifth
// line and A280/A260. The fifth is written to column K and at once replaced
// there by the sixth: the group mark steps the cursor back when a line lies
// six after the mark.
void samples(ReportContext& c) {
  DataCursor cursor(c.sheet, 15, col_c, col_k);
  int group_mark = 23;
  data_lines_write(c, 25, [&](int line, std::string_view value) {
    cursor.put(value);
    if (line - group_mark == 6) {
      group_mark = line;
      cursor.step_back();
    }
    cursor.advance();
  });
}

}  // namespace

Result<void> protein_uv_write(ReportContext& context) {
  ExportReader& reader = context.reader;
  ReportSheet& sheet = context.sheet;
  reader.read_header(24);
  header_check_end(context, 24);

  sheet.set_font("A1:C11", bold_font());
  sheet.set_font("A13:L13", bold_font());
  header_row(sheet, 1, "Method                ", "PROTEIN UV ");
  date_row(sheet, 2, "Time & Date           ", reader.file().created());
  separator_row(sheet, 3, 71);
  header_row(sheet, 4, "Sample Group Name     ", reader.field_of_line(4));
  path_length_row(sheet, 5, "Pathlength(mm)        ", header_path_length(context));
  header_row(sheet, 6, "DI Factor             ", reader.field_of_line(6));
  background_row_by_value(sheet, 7, "Background            ", header_background(context));
  header_row(sheet, 8, "A280 Factor           ", reader.field_of_line(12));
  header_row(sheet, 9, "A260 Factor           ", reader.field_of_line(13));
  header_row(sheet, 10, "Protein               ",
             header_code_text(context, 14, protein_code_table(), "protein codes",
                              "the protein stays empty"));
  header_row(
      sheet, 11, "Unit                  ",
      header_code_text(context, 23, five_code_unit_table(), "unit codes", "the unit stays empty"));
  blank_row(sheet, 12, 76);

  heading_row(sheet, 13, {"Data No.   ", "Sample No. ", "A260 ", "A280", "A320", "A280/A260"});
  hyphen_row(sheet, 14, 105);
  SampleCount samples_counted = sample_count_read(context, 24, 6, 25);
  sample_numbers_write(context, samples_counted, 15,
                       round_half_even_int16(samples_counted.count + 14));
  samples(context);
  return {};
}

}  // namespace ordelix
