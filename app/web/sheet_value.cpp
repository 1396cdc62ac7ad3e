#include "sheet_value.h"

#include <algorithm>
#include <cstdio>

#include "base/cp1252.h"
#include "sheet/column_widths.h"

namespace ordelix {
namespace {

using emscripten::val;

// As the desktop window shows a date: no leading zeros but in the minutes
// and seconds.
std::string date_text(const DateTime& t) {
  char text[40];
  std::snprintf(text, sizeof text, "%d/%d/%d %d:%02d:%02d", t.year, t.month, t.day, t.hour,
                t.minute, t.second);
  return text;
}

const char* kind_of(const CellValue& value) {
  if (std::holds_alternative<std::string>(value)) return "s";
  return std::holds_alternative<double>(value) ? "n" : "d";
}

val value_of(const CellValue& value) {
  if (const auto* text = std::get_if<std::string>(&value)) return val(cp1252_to_utf8(*text));
  if (const auto* number = std::get_if<double>(&value)) return val(*number);
  return val(date_text(std::get<DateTime>(value)));
}

// What a chart draws from a cell: its value, or null for an empty one.
val chart_point(const ReportSheet& sheet, int row, int col) {
  const CellValue* value = sheet.cell(row, col);
  return value != nullptr ? value_of(*value) : val::null();
}

val font_value(const std::optional<Font>& font) {
  if (!font) return val::null();
  val object = val::object();
  object.set("size", font->size);
  object.set("bold", font->bold);
  object.set("italic", font->italic);
  return object;
}

val optional_text(const std::optional<std::string>& text) {
  return text ? val(cp1252_to_utf8(*text)) : val::null();
}

val range_points(const ReportSheet& sheet, const CellRange& range) {
  val points = val::array();
  for (int row = range.first_row; row <= range.last_row; ++row)
    for (int col = range.first_col; col <= range.last_col; ++col)
      points.call<void>("push", chart_point(sheet, row, col));
  return points;
}

val chart_value(const ReportSheet& sheet, const LineChart& chart) {
  val object = val::object();
  object.set("left", chart.left);
  object.set("top", chart.top);
  object.set("width", chart.width);
  object.set("height", chart.height);
  object.set("title", cp1252_to_utf8(chart.title));
  object.set("seriesName", optional_text(chart.series_name));
  object.set("categoryAxisTitle", optional_text(chart.category_axis_title));
  object.set("valueAxisTitle", optional_text(chart.value_axis_title));
  object.set("categories", range_points(sheet, chart.categories));
  object.set("values", range_points(sheet, chart.values));
  object.set("tickMarkSpacing", chart.tick_mark_spacing);
  return object;
}

val range_value(const CellRange& range) {
  val corners = val::array();
  for (int corner : {range.first_row, range.first_col, range.last_row, range.last_col})
    corners.call<void>("push", corner);
  return corners;
}

}  // namespace

val sheet_value(const ReportSheet& sheet) {
  int last_row = 0;
  int last_col = 0;
  val cells = val::array();
  for (int row = 1; row <= sheet.last_row(); ++row) {
    for (const ReportSheet::Entry& entry : sheet.row_entries(row)) {
      val cell = val::object();
      cell.set("row", row);
      cell.set("col", entry.col);
      cell.set("kind", kind_of(entry.value));
      cell.set("value", value_of(entry.value));
      cell.set("font", font_value(sheet.font_at(row, entry.col)));
      cells.call<void>("push", cell);
      last_row = row;
      last_col = std::max(last_col, entry.col);
    }
  }
  val merges = val::array();
  for (const CellRange& merge : sheet.merges()) {
    merges.call<void>("push", range_value(merge));
    last_row = std::max(last_row, merge.last_row);
    last_col = std::max(last_col, merge.last_col);
  }
  val left_columns = val::array();
  for (int col = 1; col <= ReportSheet::max_col; ++col)
    if (sheet.left_aligned(col)) left_columns.call<void>("push", col);
  val widths = val::array();
  for (const auto& [col, chars] : column_widths(sheet)) {
    val width = val::object();
    width.set("col", col);
    width.set("chars", chars);
    widths.call<void>("push", width);
  }
  val charts = val::array();
  for (const LineChart& chart : sheet.charts())
    charts.call<void>("push", chart_value(sheet, chart));

  val object = val::object();
  object.set("lastRow", last_row);
  object.set("lastCol", last_col);
  object.set("cells", cells);
  object.set("merges", merges);
  object.set("leftColumns", left_columns);
  object.set("widths", widths);
  object.set("charts", charts);
  return object;
}

}  // namespace ordelix
