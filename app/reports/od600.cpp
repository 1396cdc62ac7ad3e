#include "od600.h"

#include "report_layout.h"

namespace ordelix {
namespace {

using namespace layout;

constexpr int first_sample_row = 15;

// Lines 15, 17, 19 ... hold the sample numbers, lines 16, 18, 20 ... the ODs;
// each kind goes down its own column from row 15.
template <class Write>
void sample_column(ExportReader& reader, int first_line, Write&& write) {
  int row = first_sample_row;
  reader.for_each_line_from(first_line, [&](int line, std::string_view value) {
    if ((line - first_line) % 2 == 0) write(row++, value);
  });
}

}  // namespace

ReportRefusal od600_write(ReportContext& context) {
  ExportReader& reader = context.reader;
  ReportSheet& sheet = context.sheet;
  sheet.set_font("A1:C12", bold_font());
  sheet.set_font("A13:Z13", bold_font());
  reader.read_header(14, {7, 8, 12, 13});

  // Only "1" asks for cells/ml with factor and multiple; any other unit but
  // "0" is still named cells/ml.
  std::string_view unit = reader.field_of_line(12);
  bool cell_density = unit == "1";
  bool multiple_of_thousand = reader.field_of_line(13) == "0";

  header_row(sheet, 1, "Method              ", "OD600" + blanks(35));
  date_row(sheet, 2, "Time & Date         ", reader.file().created());
  header_row(sheet, 3, separator(78));
  header_row(sheet, 4, "Sample Group Name   ", reader.field_of_line(4));
  header_row(sheet, 5, "WL(nm)              ", reader.field_of_line(10));
  path_length_row(sheet, 6, "Pathlength(mm)      ", reader.value_of_line(5));
  header_row(sheet, 7, "Unit                ", unit == "0" ? "OD" : "cells/ml");
  if (cell_density) {
    header_row(sheet, 10, "Factor              ", reader.field_of_line(11));
    header_row(sheet, 11, "Multiple            ", multiple_of_thousand ? "1000" : "1000000");
  }
  header_row(sheet, 12, blanks(70));

  sheet.set_text(13, col_a, "Data No.            ");
  sheet.set_text(13, col_d, "Sample No.          ");
  sheet.set_text(13, col_g, "OD Value            ");
  if (cell_density) sheet.set_text(13, col_j, "cells/ml            ");
  sheet.set_text(14, col_a, separator(100));

  data_numbers(sheet, first_sample_row, round_half_even_int16(reader.value_of_line(14) + 14));
  sample_column(reader, 15, [&](int row, std::string_view v) { sheet.set_text(row, col_d, v); });
  sample_column(reader, 16, [&](int row, std::string_view v) { sheet.set_text(row, col_g, v); });
  if (cell_density) {
    double multiple = multiple_of_thousand ? 1000 : 1000000;
    double factor = reader.value_of_line(11);
    sample_column(reader, 16, [&](int row, std::string_view od) {
      sheet.set_number(row, col_j, lenient_number(od) * multiple * factor);
    });
  }
  return std::nullopt;
}

}  // namespace ordelix
