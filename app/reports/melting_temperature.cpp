#include "melting_temperature.h"

#include "measured_series.h"
#include "report_checks.h"
#include "report_layout.h"

namespace ordelix {
namespace {

using namespace layout;
using series::padded;

}  // namespace

Result<void> melting_temperature_write(ReportContext& context) {
  ExportReader& reader = context.reader;
  ReportSheet& sheet = context.sheet;
  sheet.set_font("A1:C14", bold_font());
  sheet.set_font("A15:F15", bold_font());
  reader.read_header(17, {6});
  header_check_end(context, 17);

  header_row(sheet, 1, padded("Method", 27), "TEMPERATURE" + blanks(36));
  date_row(sheet, 2, padded("Time & Date", 17), reader.file().created());
  separator_row(sheet, 3, 61);
  header_row(sheet, 4, padded("Sample Group Name", 27), reader.field_of_line(4));
  path_length_row(sheet, 5, padded("Pathlength(mm)", 27), header_path_length(context));
  header_row(sheet, 6, padded("Data Mode", 27), series::data_mode_read(context));
  header_row(sheet, 7, padded("Y-Max", 27), reader.field_of_line(7));
  header_row(sheet, 8, padded("Y-Min", 27), reader.field_of_line(8));
  header_row(sheet, 9, padded("Start-Temperature", 27), reader.field_of_line(9));
  header_row(sheet, 10, padded("End-Temperature", 27), reader.field_of_line(10));
  header_row(sheet, 11, padded("Interval", 27), reader.field_of_line(13));
  header_row(sheet, 12, padded("K-Factor", 27), reader.field_of_line(15));
  header_row(sheet, 13, padded("Data Number", 28), reader.field_of_line(17));

  // The headings stand in A and D whatever the data mode; the columns below
  // them are C and F.
  int table = table_begin(sheet, 15, 16, {{col_a, col_c}, {col_d, col_f}});
  title_row(sheet, table, 14, padded("Data List", 72));
  sheet.mark_curve(table, "Melting curve");
  sheet.set_text(15, col_a, padded("C", 26));
  sheet.set_text(15, col_d, padded("OD", 27));

  double start = header_number(context, 9);
  double step = header_number(context, 13);
  double n = header_number(context, 17);
  series_check(context, 17, n, 18);
  counted_rows_write(context, 17,
                     [&] { series::running_column(sheet, col_c, 16, n + 15, start, step); });
  data_lines_write(context, 18, [&](int line, std::string_view value) {
    if (line < n + 18) sheet.set_text(line - 2, col_f, value);
  });
  return {};
}

}  // namespace ordelix
