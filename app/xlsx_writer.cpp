#include "xlsx_writer.h"

#include <locale.h>
#include <xlsxwriter.h>

#include <map>
#include <tuple>

#include "cp1252.h"

namespace ordelix {
namespace {

constexpr const char* date_time_format = "yyyy/m/d h:mm:ss";

// libxlsxwriter prints numbers with the C library, which follows LC_NUMERIC:
// a decimal comma there would corrupt the workbook.
class CLocaleScope {
 public:
  CLocaleScope() : c_(newlocale(LC_ALL_MASK, "C", nullptr)), previous_(uselocale(c_)) {}
  ~CLocaleScope() {
    uselocale(previous_);
    freelocale(c_);
  }
  CLocaleScope(const CLocaleScope&) = delete;
  CLocaleScope& operator=(const CLocaleScope&) = delete;

 private:
  locale_t c_;
  locale_t previous_;
};

// One workbook format per distinct look of a cell.
class Formats {
 public:
  explicit Formats(lxw_workbook* workbook) : workbook_(workbook) {}

  lxw_format* of(const ReportSheet& sheet, int row, int col, bool date_time) {
    return get(sheet.font_at(row, col), sheet.left_aligned(col), date_time);
  }

  lxw_format* column_format() { return get(std::nullopt, true, false); }

 private:
  using Key = std::tuple<bool, double, bool, bool, int, bool, bool>;

  // One object per look: the library hashes a format that duplicates
  // another's look again at every cell that uses it.
  lxw_format* get(const std::optional<Font>& font, bool left, bool date_time) {
    if (!font && !left && !date_time) return nullptr;
    Key key{font.has_value(),
            font.value_or(Font{}).size,
            font.value_or(Font{}).bold,
            font.value_or(Font{}).italic,
            font.value_or(Font{}).color_index,
            left,
            date_time};
    auto [it, inserted] = formats_.try_emplace(key, nullptr);
    if (inserted) it->second = make(font, left, date_time);
    return it->second;
  }

  lxw_format* make(const std::optional<Font>& font, bool left, bool date_time) {
    lxw_format* f = workbook_add_format(workbook_);
    if (font) {
      format_set_font_size(f, font->size);
      if (font->bold) format_set_bold(f);
      if (font->italic) format_set_italic(f);
      if (font->color_index == 1) format_set_font_color(f, LXW_COLOR_BLACK);
    }
    if (left) format_set_align(f, LXW_ALIGN_LEFT);
    if (date_time) format_set_num_format(f, date_time_format);
    return f;
  }

  lxw_workbook* workbook_;
  std::map<Key, lxw_format*> formats_;
};

lxw_datetime lxw_of(const DateTime& t) {
  return {t.year, t.month, t.day, t.hour, t.minute, static_cast<double>(t.second)};
}

lxw_error write_cell(lxw_worksheet* ws, const ReportSheet& sheet, lxw_row_t row, lxw_col_t col,
                     const CellValue& value, Formats& formats) {
  int r = static_cast<int>(row) + 1;
  int c = static_cast<int>(col) + 1;
  if (const auto* text = std::get_if<std::string>(&value))
    return worksheet_write_string(ws, row, col, cp1252_to_utf8(*text).c_str(),
                                  formats.of(sheet, r, c, false));
  if (const auto* number = std::get_if<double>(&value))
    return worksheet_write_number(ws, row, col, *number, formats.of(sheet, r, c, false));
  lxw_datetime dt = lxw_of(std::get<DateTime>(value));
  return worksheet_write_datetime(ws, row, col, &dt, formats.of(sheet, r, c, true));
}

constexpr double pixels_per_point = 96.0 / 72.0;
constexpr double default_chart_width_px = 480;
constexpr double default_chart_height_px = 288;

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

lxw_error insert_line_chart(lxw_workbook* workbook, lxw_worksheet* ws, const LineChart& c) {
  lxw_chart* chart = workbook_add_chart(workbook, LXW_CHART_LINE);
  if (chart == nullptr) return LXW_ERROR_MEMORY_MALLOC_FAILED;
  lxw_chart_series* series = chart_add_series(chart, nullptr, nullptr);
  if (series == nullptr) return LXW_ERROR_MEMORY_MALLOC_FAILED;
  set_range(series, true, ws->name, c.categories);
  set_range(series, false, ws->name, c.values);
  if (c.series_name) chart_series_set_name(series, cp1252_to_utf8(*c.series_name).c_str());
  chart_title_set_name(chart, cp1252_to_utf8(c.title).c_str());
  chart_legend_set_position(chart, LXW_CHART_LEGEND_TOP);
  if (c.category_axis_title)
    chart_axis_set_name(chart->x_axis, cp1252_to_utf8(*c.category_axis_title).c_str());
  if (c.value_axis_title)
    chart_axis_set_name(chart->y_axis, cp1252_to_utf8(*c.value_axis_title).c_str());
  chart_axis_set_interval_tick(chart->x_axis, static_cast<uint16_t>(c.tick_mark_spacing));

  lxw_chart_options options{};
  options.x_offset = static_cast<int32_t>(c.left * pixels_per_point + 0.5);
  options.y_offset = static_cast<int32_t>(c.top * pixels_per_point + 0.5);
  options.x_scale = c.width * pixels_per_point / default_chart_width_px;
  options.y_scale = c.height * pixels_per_point / default_chart_height_px;
  return worksheet_insert_chart_opt(ws, 0, 0, chart, &options);
}

lxw_error write_sheet(lxw_workbook* workbook, const WorkbookSheet& named, Formats& formats) {
  const ReportSheet& sheet = *named.sheet;
  lxw_worksheet* ws =
      workbook_add_worksheet(workbook, named.name.empty() ? nullptr : named.name.c_str());
  if (ws == nullptr) return LXW_ERROR_MEMORY_MALLOC_FAILED;

  for (const CellRange& cols : sheet.left_aligned_columns()) {
    lxw_error err = worksheet_set_column(ws, static_cast<lxw_col_t>(cols.first_col - 1),
                                         static_cast<lxw_col_t>(cols.last_col - 1),
                                         LXW_DEF_COL_WIDTH, formats.column_format());
    if (err != LXW_NO_ERROR) return err;
  }
  // A merge writes blanks into its cells, so it goes before the values.
  for (const CellRange& m : sheet.merges()) {
    lxw_error err = worksheet_merge_range(
        ws, static_cast<lxw_row_t>(m.first_row - 1), static_cast<lxw_col_t>(m.first_col - 1),
        static_cast<lxw_row_t>(m.last_row - 1), static_cast<lxw_col_t>(m.last_col - 1), "",
        formats.of(sheet, m.first_row, m.first_col, false));
    if (err != LXW_NO_ERROR) return err;
  }
  for (int row = 1; row <= sheet.last_row(); ++row) {
    for (const ReportSheet::Entry& entry : sheet.row_entries(row)) {
      lxw_error err = write_cell(ws, sheet, static_cast<lxw_row_t>(row - 1),
                                 static_cast<lxw_col_t>(entry.col - 1), entry.value, formats);
      if (err != LXW_NO_ERROR) return err;
    }
  }
  for (const LineChart& chart : sheet.charts())
    if (lxw_error err = insert_line_chart(workbook, ws, chart); err != LXW_NO_ERROR) return err;
  return LXW_NO_ERROR;
}

}  // namespace

std::optional<Problem> xlsx_write_workbook(std::span<const WorkbookSheet> sheets,
                                           const std::string& path, std::time_t created) {
  CLocaleScope c_locale;
  lxw_workbook* workbook = workbook_new(path.c_str());
  if (workbook == nullptr)
    return Problem{ProblemKind::write_failed, 0, "cannot start the workbook"};
  lxw_doc_properties properties{};
  properties.created = created;
  workbook_set_properties(workbook, &properties);

  Formats formats(workbook);
  lxw_error err = LXW_NO_ERROR;
  for (std::size_t i = 0; i < sheets.size() && err == LXW_NO_ERROR; ++i)
    err = write_sheet(workbook, sheets[i], formats);
  lxw_error closed = workbook_close(workbook);
  if (err == LXW_NO_ERROR) err = closed;
  if (err == LXW_NO_ERROR) return std::nullopt;
  return Problem{ProblemKind::write_failed, 0, lxw_strerror(err)};
}

}  // namespace ordelix
