#include "nucleic_acid.h"

#include <array>
#include <string>

#include "nucleic_acid_dye.h"
#include "report_checks.h"
#include "report_layout.h"

namespace ordelix {
namespace {

using namespace layout;

constexpr std::array<CodeText, 4> sample_type_table{{
    {1, "dsDNA"},
    {2, "ssDNA"},
    {3, "RNA"},
    {4, "OLIGO"},
}};

bool is_sample_type(double code) {
  return code == 1 || code == 2 || code == 3 || code == 4;
}

// Eight lines per sample from line 17: sample number, A230, A260, A280, A320,
// A260/A280, A260/A230, concentration.
void samples(ReportContext& c) {
  DataCursor cursor(c.sheet, 13, col_c, col_q);
  data_lines_write(c, 17, [&](int, std::string_view value) { cursor.write(value); });
}

}  // namespace

void nucleic_acid_first_rows(ReportContext& context, std::span<const CodeText> sample_types) {
  ExportReader& reader = context.reader;
  ReportSheet& sheet = context.sheet;
  std::optional<std::string_view> type =
      code_text_lookup(sample_types, reader.state().variant_code);
  header_row(sheet, 1, "Method                ", std::string(type.value_or("")) + blanks(35));
  date_row(sheet, 2, "Time & Date           ", reader.file().created());
  separator_row(sheet, 3, 69);
  header_row(sheet, 4, "Sample Group Name     ", reader.field_of_line(4));
  path_length_row(sheet, 5, "Pathlength(mm)        ", header_path_length(context));
  header_row(sheet, 6, "Dilution Factor       ", reader.field_of_line(6));
  background_row_by_first_character(sheet, 7, "Background            ", reader.field_of_line(7));
  header_text_code_check(context, 7, {"0", "1"}, "background codes 0 and 1",
                         "the report shows Off");
}

Result<void> nucleic_acid_plain_write(ReportContext& context) {
  ExportReader& reader = context.reader;
  ReportSheet& sheet = context.sheet;
  reader.read_header(16, {7});
  header_check_end(context, 16);

  sheet.set_font("A1:C9", bold_font());
  sheet.set_font("A11:Z11", bold_font());
  nucleic_acid_first_rows(context, sample_type_table);
  header_row(sheet, 8, "Factor                ", reader.field_of_line(13));
  header_row(
      sheet, 9, "Unit                   ",
      header_code_text(context, 15, five_code_unit_table(), "unit codes", "the unit stays empty"));
  blank_row(sheet, 10, 70);

  heading_row(sheet, 11,
              {"Data No.    ", "Sample No.  ", "A230 ", "A260 ", "A280 ", "A320 ", "A260/A280",
               "A260/A230", "Concentration"});
  separator_row(sheet, 12, 156);
  SampleCount samples_counted = sample_count_read(context, 16, 8, 17);
  sample_numbers_write(context, samples_counted, 13,
                       round_half_even_int16(samples_counted.count + 12));
  samples(context);
  return {};
}

Result<void> nucleic_acid_write(ReportContext& context) {
  ExportReader& reader = context.reader;
  reader.prescan(21);
  const ReadingState& state = reader.state();
  double kind = state.kind_code;
  double type = state.variant_code;

  if (kind != 1 && kind != 5)
    return refused_at_line(context, 1, "a nucleic acid file starts with 1 or 5");
  if (!is_sample_type(type))
    return refused_at_line(context, 3, "a nucleic acid file has its sample type there, 1 to 4");
  return kind == 1 ? nucleic_acid_plain_write(context) : nucleic_acid_dye_write(context);
}

}  // namespace ordelix
