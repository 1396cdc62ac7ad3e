#include "nucleic_acid.h"

#include <array>
#include <string>

#include "nucleic_acid_dye.h"
#include "number_text.h"
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
void samples(ExportReader& reader, ReportSheet& sheet) {
  DataCursor cursor(sheet, 13, col_c, col_q);
  reader.for_each_line_from(17, [&](int, std::string_view value) { cursor.write(value); });
}

}  // namespace

void nucleic_acid_first_rows(ReportContext& context, std::span<const CodeText> sample_types) {
  ExportReader& reader = context.reader;
  ReportSheet& sheet = context.sheet;
  std::optional<std::string_view> type = code_text_lookup(sample_types, reader.state().head_value3);
  header_row(sheet, 1, "Method                ", std::string(type.value_or("")) + blanks(35));
  date_row(sheet, 2, "Time & Date           ", reader.file().created());
  header_row(sheet, 3, separator(69));
  header_row(sheet, 4, "Sample Group Name     ", reader.field_of_line(4));
  path_length_row(sheet, 5, "Pathlength(mm)        ", reader.value_of_line(5));
  header_row(sheet, 6, "Dilution Factor       ", reader.field_of_line(6));
  background_row_by_first_character(sheet, 7, "Background            ", reader.field_of_line(7));
}

ReportRefusal nucleic_acid_plain_write(ReportContext& context) {
  ExportReader& reader = context.reader;
  ReportSheet& sheet = context.sheet;
  reader.read_header(16, {7});

  sheet.set_font("A1:C9", bold_font());
  sheet.set_font("A11:Z11", bold_font());
  nucleic_acid_first_rows(context, sample_type_table);
  header_row(sheet, 8, "Factor                ", reader.field_of_line(13));
  header_row(sheet, 9, "Unit                   ",
             code_text_lookup(five_code_unit_table(), reader.value_of_line(15)));
  header_row(sheet, 10, blanks(70));

  heading_row(sheet, 11,
              {"Data No.    ", "Sample No.  ", "A230 ", "A260 ", "A280 ", "A320 ", "A260/A280",
               "A260/A230", "Concentration"});
  sheet.set_text(12, col_a, separator(156));
  data_numbers(sheet, 13, round_half_even_int16(reader.value_of_line(16) + 12));
  samples(reader, sheet);
  return std::nullopt;
}

ReportRefusal nucleic_acid_write(ReportContext& context) {
  ExportReader& reader = context.reader;
  reader.prescan(21);
  const ReadingState& state = reader.state();
  double kind = state.head_value1;
  double type = state.head_value3;

  if (kind == 1 && is_sample_type(type)) return nucleic_acid_plain_write(context);
  if (kind == 5 && is_sample_type(type)) return nucleic_acid_dye_write(context);
  return report_refused("is not a nucleic acid or nucleic acid dye export: line 1 is " +
                        general_number_text(kind) + ", line 3 is " + general_number_text(type));
}

}  // namespace ordelix
