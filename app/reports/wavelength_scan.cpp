#include "wavelength_scan.h"

#include <array>
#include <cmath>
#include <limits>
#include <optional>
#include <string>

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
  std::optional<double> step;  // nm; none for "Auto", which steps by the span
};

constexpr std::array<Interval, 6> interval_table{{
    {0, "Auto", std::nullopt},
    {1, "0.2", 0.2},
    {2, "0.5", 0.5},
    {3, "1", 1},
    {4, "2", 2},
    {5, "5", 5},
}};

// Beyond the single range the value goes to infinity of its sign.
double in_single_precision(double value) {
  if (std::abs(value) > std::numeric_limits<float>::max())
    return std::copysign(std::numeric_limits<double>::infinity(), value);
  return static_cast<float>(value);
}

// The end wavelength counts in single precision: 200 to 700.1 still steps 0.5.
double auto_step(double start, double end) {
  return in_single_precision(end) - start <= 500 ? 0.5 : 1;
}

// The value column heading, which also names the series and the value axis.
std::optional<std::string> value_heading(double data_mode) {
  if (data_mode == 0) return padded("%T", 27);
  if (data_mode == 1) return padded("OD", 27);
  if (data_mode == 2) return padded("E(S)", 29);
  return std::nullopt;
}

std::optional<std::string> text_in(const ReportSheet& sheet, int row, int col) {
  std::optional<std::string_view> text = sheet.text_at(row, col);
  if (!text) return std::nullopt;
  return std::string(*text);
}

constexpr int first_table_row = 16;

bool holds_entry(const ReportSheet& sheet, int row, int col) {
  std::optional<std::string_view> text = sheet.text_at(row, col);
  return text ? !text->empty() : sheet.cell(row, col).has_value();
}

// The last row holding a wavelength or a value; the table's first row when
// there is none.
int last_table_row(const ReportSheet& sheet) {
  for (int row = sheet.last_row(); row > first_table_row; --row)
    if (holds_entry(sheet, row, col_c) || holds_entry(sheet, row, col_f)) return row;
  return first_table_row;
}

// Spans the data table, so that the chart plots every value and nothing else.
void spectrum_chart(ReportSheet& sheet) {
  std::string last = std::to_string(last_table_row(sheet));
  LineChart chart;
  chart.left = 350;
  chart.top = 0;
  chart.width = 350;
  chart.height = 250;
  chart.title = "WL Scan";
  chart.values = *cell_range_parse("F16:F" + last);
  chart.categories = *cell_range_parse("C16:C" + last);
  chart.series_name = text_in(sheet, 15, col_d);
  chart.category_axis_title = text_in(sheet, 15, col_a);
  chart.value_axis_title = text_in(sheet, 15, col_d);
  chart.tick_mark_spacing = 10;
  sheet.add_line_chart(std::move(chart));
}

}  // namespace

Result<void> wavelength_scan_write(ReportContext& context) {
  ExportReader& reader = context.reader;
  ReportSheet& sheet = context.sheet;
  sheet.set_font("A1:C14", bold_font());
  sheet.set_font("A15:F15", bold_font());
  reader.read_header(13, {6});
  header_check_end(context, 13);

  double start = header_number(context, 9);
  // A code outside the table leaves the step empty: every row shows the start.
  const Interval* interval =
      code_entry_lookup<Interval>(interval_table, header_number(context, 11));
  header_code_check(context, 11, interval != nullptr, "interval codes",
                    "the interval stays empty and every wavelength is the start");
  double step = 0;
  std::optional<std::string_view> interval_text;
  if (interval) {
    step = interval->step ? *interval->step : auto_step(start, header_number(context, 10));
    interval_text = interval->text;
  }

  header_row(sheet, 1, padded("Method", 27), "WL SCAN" + blanks(36));
  date_row(sheet, 2, padded("Time & Date", 27), reader.file().created());
  separator_row(sheet, 3, 61);
  header_row(sheet, 4, padded("Sample Group Name", 27), reader.field_of_line(4));
  path_length_row(sheet, 5, padded("Pathlength(mm)", 27), header_path_length(context));
  std::optional<std::string_view> data_mode = series::data_mode_read(context);
  header_row(sheet, 6, padded("Data Mode", 27), data_mode);
  header_row(sheet, 7, padded("Start-WL(nm)", 27), reader.field_of_line(9));
  header_row(sheet, 8, padded("End-WL(nm)", 26), reader.field_of_line(10));
  header_row(sheet, 9, padded("Interval(nm)", 26), interval_text);
  header_row(sheet, 10, padded("Data Number", 28), reader.field_of_line(13));

  // As in the melting temperature's report: headings in A and D, values in C and F.
  int table = table_begin(sheet, 15, first_table_row, {{col_a, col_c}, {col_d, col_f}});
  title_row(sheet, table, 14, padded("Data List", 72));
  sheet.set_text(15, col_a, padded("WL(nm)", 31));
  if (auto heading = value_heading(reader.value_of_line(6))) sheet.set_text(15, col_d, *heading);

  double n = header_number(context, 13);
  series_check(context, 13, n, 14);
  counted_rows_write(context, 13,
                     [&] { series::running_column(sheet, col_c, 16, n + 15, start, step); });
  data_lines_write(context, 1, [&](int line, std::string_view value) {
    if (line > 13 && line < n + 14) sheet.set_text(line + 2, col_f, value);
  });
  spectrum_chart(sheet);
  return {};
}

}  // namespace ordelix
