#include "kinetics.h"

#include <array>

#include "measured_series.h"
#include "report_checks.h"
#include "report_layout.h"

namespace ordelix {
namespace {

using namespace layout;
using series::padded;

struct Interval {
  double code;
  std::string_view text;
  double step;  // seconds
};

// "Auto" steps by 2.5 s like code 1.
constexpr std::array<Interval, 6> interval_table{{
    {0, "Auto", 2.5},
    {1, "2.5", 2.5},
    {2, "5", 5},
    {3, "10", 10},
    {4, "50", 50},
    {5, "100", 100},
}};

}  // namespace

Result<void> kinetics_write(ReportContext& context) {
  ExportReader& reader = context.reader;
  ReportSheet& sheet = context.sheet;
  sheet.set_font("A1:C10", bold_font());
  sheet.set_font("A12:H12", bold_font());
  reader.read_header(13, {6});
  header_check_end(context, 13);

  // A code outside the table leaves the step empty, which times every row 0.
  const Interval* interval =
      code_entry_lookup<Interval>(interval_table, header_number(context, 11));
  header_code_check(context, 11, interval != nullptr, "interval codes",
                    "the interval stays empty and every time is 0");
  double time_step = interval ? interval->step : 0;
  std::optional<std::string_view> interval_text;
  if (interval) interval_text = interval->text;

  header_row(sheet, 1, padded("Method", 27), "KINETICS" + blanks(36));
  date_row(sheet, 2, padded("Time & Date", 26), reader.file().created());
  separator_row(sheet, 3, 61);
  header_row(sheet, 4, padded("Sample Group Name", 27), reader.field_of_line(4));
  header_row(sheet, 5, padded("Data Mode", 27), series::data_mode_read(context));
  path_length_row(sheet, 6, padded("Pathlength(mm)", 27), header_path_length(context));
  header_row(sheet, 7, padded("WL(nm)", 27), reader.field_of_line(10));
  header_row(sheet, 8, padded("Scan Time(s)", 27), reader.field_of_line(9));
  header_row(sheet, 9, padded("Interval(s)", 27), interval_text);
  header_row(sheet, 10, padded("Data Number", 27), reader.field_of_line(13));
  blank_row(sheet, 11, 70);

  int table = table_begin(sheet, 12, 14, {{col_a, col_a}, {col_d, col_d}});
  sheet.mark_curve(table, "Kinetics");
  sheet.set_text(12, col_a, padded("Data(s)", 27));
  sheet.set_text(12, col_d, padded("Value", 34));
  separator_row(sheet, 13, 69);

  double n = header_number(context, 13);
  series_check(context, 13, n, 14);
  counted_rows_write(context, 13,
                     [&] { series::running_column(sheet, col_a, 14, n + 13, 0, time_step); });
  data_lines_write(context, 14, [&](int line, std::string_view value) {
    if (line < n + 14) sheet.set_text(line, col_d, value);
  });
  return {};
}

}  // namespace ordelix
