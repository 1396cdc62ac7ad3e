#include "xlsx_writer.h"

#include <ioapi.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <mutex>

#include "base/cp1252.h"
#include "platform/c_numbers.h"
#include "platform/part_streams.h"
#include "sheet/chart_labels.h"
#include "sheet/column_widths.h"
#include "xlsx_formats.h"
#include "xlsx_sheet_layout.h"
#include "xlsx_text.h"

namespace ordelix {
namespace {

lxw_datetime lxw_of(const DateTime& t) {
  return {t.year, t.month, t.day, t.hour, t.minute, static_cast<double>(t.second)};
}

lxw_error write_cell(lxw_worksheet* ws, lxw_row_t row, lxw_col_t col, const CellValue& value,
                     Formats& formats) {
  int r = static_cast<int>(row) + 1;
  int c = static_cast<int>(col) + 1;
  if (const auto* text = std::get_if<std::string_view>(&value))
    return worksheet_write_string(ws, row, col, xlsx_escape(cp1252_to_utf8(*text)).c_str(),
                                  formats.of(r, c, false));
  if (const auto* number = std::get_if<double>(&value))
    return worksheet_write_number(ws, row, col, *number, formats.of(r, c, false));
  lxw_datetime dt = lxw_of(std::get<DateTime>(value));
  return worksheet_write_datetime(ws, row, col, &dt, formats.of(r, c, true));
}

constexpr double default_chart_width_px = 480;
constexpr double default_chart_height_px = 288;
constexpr int16_t category_label_rotation = -45;  // degrees

void set_range(lxw_chart_series* series, bool categories, const char* sheet_name,
               const CellRange& r) {
  auto fr = static_cast<lxw_row_t>(r.first_row - 1);
  auto fc = static_cast<lxw_col_t>(r.first_col - 1);
  auto lr = static_cast<lxw_row_t>(r.last_row - 1);
  auto lc = static_cast<lxw_col_t>(r.last_col - 1);
  if (categories)
    chart_series_set_categories(series, sheet_name, fr, fc, lr, lc);
  else
    chart_series_set_values(series, sheet_name, fr, fc, lr, lc);
}

// A label every so many categories for spreadsheets that take the interval;
// rotated and with no more decimals than the categories need for those that
// space the labels themselves. Either way they stay apart at any scan length.
void category_labels_set(lxw_chart_axis* axis, const ReportSheet& sheet, const LineChart& c) {
  chart_axis_set_num_format(axis,
                            decimals_number_format(category_decimals(sheet, c.categories)).c_str());
  lxw_chart_font font{};
  font.rotation = category_label_rotation;
  chart_axis_set_num_font(axis, &font);
  int categories = c.categories.last_row - c.categories.first_row + 1;
  chart_axis_set_interval_unit(
      axis, static_cast<uint16_t>(category_label_interval(categories, c.tick_mark_spacing)));
}

lxw_error insert_line_chart(lxw_workbook* workbook, lxw_worksheet* ws, const ReportSheet& sheet,
                            const LineChart& c) {
  lxw_chart* chart = workbook_add_chart(workbook, LXW_CHART_LINE);
  if (chart == nullptr) return LXW_ERROR_MEMORY_MALLOC_FAILED;
  lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
  if (series == nullptr) return LXW_ERROR_MEMORY_MALLOC_FAILED;
  set_range(series, true, ws->name, c.categories);
  set_range(series, false, ws->name, c.values);
  if (c.series_name)
    chart_series_set_name(series, xlsx_escape(cp1252_to_utf8(*c.series_name)).c_str());
  chart_title_set_name(chart, cp1252_to_utf8(c.title).c_str());
  chart_legend_set_position(chart, LXW_CHART_LEGEND_TOP);
  if (c.category_axis_title)
    chart_axis_set_name(chart->x_axis, cp1252_to_utf8(*c.category_axis_title).c_str());
  if (c.value_axis_title)
    chart_axis_set_name(chart->y_axis, cp1252_to_utf8(*c.value_axis_title).c_str());
  chart_axis_set_interval_tick(chart->x_axis, static_cast<uint16_t>(c.tick_mark_spacing));
  category_labels_set(chart->x_axis, sheet, c);

  lxw_chart_options options{};
  options.x_offset = static_cast<int32_t>(c.left * pixels_per_point + 0.5);
  options.y_offset = static_cast<int32_t>(c.top * pixels_per_point + 0.5);
  options.x_scale = c.width * pixels_per_point / default_chart_width_px;
  options.y_scale = c.height * pixels_per_point / default_chart_height_px;
  return worksheet_insert_chart_opt(ws, 0, 0, chart, &options);
}

lxw_error write_sheet(lxw_workbook* workbook, const WorkbookSheet& named) {
  const ReportSheet& sheet = *named.sheet;
  lxw_worksheet* ws =
      workbook_add_worksheet(workbook, named.name.empty() ? nullptr : named.name.c_str());
  if (ws == nullptr) return LXW_ERROR_MEMORY_MALLOC_FAILED;
  Formats formats(workbook, sheet);
  std::map<int, double> widths = column_widths(sheet);
  if (lxw_error err = columns_set(ws, sheet, widths, formats); err != LXW_NO_ERROR) return err;
  if (lxw_error err = empty_cells_format(ws, sheet, formats); err != LXW_NO_ERROR) return err;
  // A merge writes blanks into its cells, so it goes before the values.
  for (const CellRange& m : sheet.merges()) {
    lxw_error err = worksheet_merge_range(
        ws, static_cast<lxw_row_t>(m.first_row - 1), static_cast<lxw_col_t>(m.first_col - 1),
        static_cast<lxw_row_t>(m.last_row - 1), static_cast<lxw_col_t>(m.last_col - 1), "",
        formats.of(m.first_row, m.first_col, false));
    if (err != LXW_NO_ERROR) return err;
  }
  for (int row = 1; row <= sheet.last_row(); ++row) {
    for (const ReportSheet::Entry& entry : sheet.row_entries(row)) {
      lxw_error err = write_cell(ws, static_cast<lxw_row_t>(row - 1),
                                 static_cast<lxw_col_t>(entry.col - 1), entry.value(), formats);
      if (err != LXW_NO_ERROR) return err;
    }
  }
  for (const LineChart& chart : sheet.charts())
    if (lxw_error err = insert_line_chart(workbook, ws, sheet, chart); err != LXW_NO_ERROR)
      return err;
  return page_setup(ws, sheet, widths);
}

}  // namespace

Result<void> xlsx_write_workbook(std::span<const WorkbookSheet> sheets, std::time_t created,
                                 const std::string& temp_folder, ZipBytes& zip) {
  static std::once_flag parts_ours;
  std::call_once(parts_ours, [] { lxw_set_tmpfile_function(part_stream_open); });
  CNumbersScope c_numbers;
  part_streams_forget();
  zlib_filefunc64_def into_zip{};
  zip_bytes_write_functions(zip, into_zip);
  lxw_workbook_options options{};
  options.tmpdir = const_cast<char*>(temp_folder.c_str());
  options.output_functions = &into_zip;
  lxw_workbook* workbook = workbook_new_opt("workbook.xlsx", &options);
  if (workbook == nullptr) return Problem(ProblemKind::write_failed, ENOMEM);
  lxw_doc_properties properties{};
  // The library reads 0 as "now"; a second later is the nearest it writes.
  properties.created = created != 0 ? created : 1;
  workbook_set_properties(workbook, &properties);

  lxw_error err = LXW_NO_ERROR;
  for (std::size_t i = 0; i < sheets.size() && err == LXW_NO_ERROR; ++i) {
    err = write_sheet(workbook, sheets[i]);
    if (sheets[i].to_empty != nullptr) *sheets[i].to_empty = ReportSheet();
  }
  lxw_error closed = workbook_close(workbook);
  if (err == LXW_NO_ERROR) err = closed;
  // Said first: the library's own error, if any, follows from this one.
  if (int part_err = part_streams_failure(); part_err != 0)
    return Problem(ProblemKind::write_failed, part_err);
  if (zip.incomplete()) return Problem(ProblemKind::write_failed, ENOMEM);
  if (err == LXW_NO_ERROR) return {};
  return workbook_library_failure(lxw_strerror(err));
}

Result<void> xlsx_write_report(const ReportSheet& sheet, std::time_t created,
                               const std::string& temp_folder, ZipBytes& zip) {
  WorkbookSheet only{&sheet, {}};
  return xlsx_write_workbook({&only, 1}, created, temp_folder, zip);
}

}  // namespace ordelix
