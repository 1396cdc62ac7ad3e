#include "od600.h"

#include "report_checks.h"
#include "report_layout.h"

namespace ordelix {
namespace {

using namespace layout;

constexpr int first_sample_row = 15;

// Lines 15, 17, 19 ... hold the sample numbers, lines 16, 18, 20 ... the ODs;
// each kind goes down its own column from row 15.
template <class Write>
void sample_column(ReportContext& c, int first_line, Write&& write) {
  int row = first_sample_row;
  data_lines_write(c, first_line, [&](int line, std::string_view value) {
    if ((line - first_line) % 2 == 0) write(row++, line, value);
  });
}

}  // namespace

Result<void> od600_write(ReportContext& context) {
  ExportReader& reader = context.reader;
  ReportSheet& sheet = context.sheet;
  sheet.set_font("A1:C12", bold_font());
  sheet.set_font("A13:Z13", bold_font());
  reader.read_header(14, {7, 8, 12, 13});
  header_check_end(context, 14);

  // Only "1" asks for cells/ml with factor and multiple; any other unit but
  // "0" is still named cells/ml.
  std::string_view unit = reader.field_of_line(12);
  bool cell_density = unit == "1";
  bool multiple_of_thousand = reader.field_of_line(13) == "0";
  header_text_code_check(context, 12, {"0", "1"}, "unit codes 0 and 1",
                         "the report shows cells/ml without factor and multiple");
  if (cell_density)
    header_text_code_check(context, 13, {"0", "1"}, "multiple codes 0 and 1",
                           "the report shows 1000000");

  header_row(sheet, 1, "Method              ", "OD600" + blanks(35));
  date_row(sheet, 2, "Time & Date         ", reader.file().created());
  separator_row(sheet, 3, 78);
  header_row(sheet, 4, "Sample Group Name   ", reader.field_of_line(4));
  header_row(sheet, 5, "WL(nm)              ", reader.field_of_line(10));
  path_length_row(sheet, 6, "Pathlength(mm)      ", header_path_length(context));
  header_row(sheet, 7, "Unit                ", unit == "0" ? "OD" : "cells/ml");
  if (cell_density) {
    header_row(sheet, 10, "Factor              ", reader.field_of_line(11));
    header_row(sheet, 11, "Multiple            ", multiple_of_thousand ? "1000" : "1000000");
  }
  blank_row(sheet, 12, 70);

  std::vector<TableColumn> columns{{col_a, col_a}, {col_d, col_d}, {col_g, col_g}};
  if (cell_density) columns.push_back({col_j, col_j});
  table_begin(sheet, 13, first_sample_row, std::move(columns));
  sheet.set_text(13, col_a, "Data No.            ");
  sheet.set_text(13, col_d, "Sample No.          ");
  sheet.set_text(13, col_g, "OD Value            ");
  if (cell_density) sheet.set_text(13, col_j, "cells/ml            ");
  separator_row(sheet, 14, 100);

  SampleCount samples = sample_count_read(context, 14, 2, 15);
  sample_numbers_write(context, samples, first_sample_row,
                       round_half_even_int16(samples.count + 14));
  sample_column(context, 15,
                [&](int row, int, std::string_view v) { sheet.set_text(row, col_d, v); });
  sample_column(context, 16,
                [&](int row, int, std::string_view v) { sheet.set_text(row, col_g, v); });
  if (cell_density) {
    double multiple = multiple_of_thousand ? 1000 : 1000000;
    double factor = header_number(context, 11);
    sample_column(context, 16, [&](int row, int line, std::string_view od) {
      sheet.set_number(row, col_j, data_number(context, line, od) * multiple * factor);
    });
  }
  return {};
}

}  // namespace ordelix
