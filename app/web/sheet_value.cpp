#include "sheet_value.h"

#include <algorithm>
#include <cstdio>
#include <limits>
#include <vector>

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

// A view of the module's memory, for JavaScript to read before it returns.
template <class T>
val view_of(const std::vector<T>& items) {
  return val(emscripten::typed_memory_view(items.size(), items.data()));
}

val view_of(const std::string& bytes) {
  return val(emscripten::typed_memory_view(bytes.size(),
                                           reinterpret_cast<const unsigned char*>(bytes.data())));
}

// Cells' values in columns, packed for the page by the module's cells.js in
// one call: a call across for each value costs more than the rest of a long
// scan's conversion.
class ValueColumns {
 public:
  void add(const std::optional<CellValue>& value) {
    double number = std::numeric_limits<double>::quiet_NaN();
    if (!value) {
      kinds_ += ' ';
    } else if (const auto* text = std::get_if<std::string_view>(&*value)) {
      kinds_ += 's';
      texts_ += cp1252_to_utf8(*text);
    } else if (const auto* held = std::get_if<double>(&*value)) {
      kinds_ += 'n';
      number = *held;
    } else {
      kinds_ += 'd';
      texts_ += date_text(std::get<DateTime>(*value));
    }
    numbers_.push_back(number);
    text_ends_.push_back(static_cast<int>(texts_.size()));
  }

  // Each cell's kind as a character code: 's', 'n', 'd', or ' ' when empty.
  val kinds() const { return view_of(kinds_); }

  // {numbers, texts}: see cells.js.
  val values() const {
    return val::module_property("packedValues")(kinds(), view_of(numbers_), view_of(texts_),
                                                view_of(text_ends_));
  }

 private:
  std::string kinds_;
  std::vector<double> numbers_;
  std::string texts_;
  std::vector<int> text_ends_;
};

val font_value(const Font& font) {
  val object = val::object();
  object.set("size", font.size);
  object.set("bold", font.bold);
  object.set("italic", font.italic);
  return object;
}

val optional_text(const std::optional<std::string>& text) {
  return text ? val(cp1252_to_utf8(*text)) : val::null();
}

// What a chart draws from its cells, packed as the cells' values are.
val range_points(const ReportSheet& sheet, const CellRange& range) {
  ValueColumns points;
  for (int row = range.first_row; row <= range.last_row; ++row)
    for (int col = range.first_col; col <= range.last_col; ++col) points.add(sheet.cell(row, col));
  return points.values();
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
  std::vector<int> rows;
  std::vector<int> cols;
  ValueColumns values;
  std::vector<int> fonts;  // each cell's place in font_list, or -1
  std::vector<Font> font_list;
  for (int row = 1; row <= sheet.last_row(); ++row) {
    for (const ReportSheet::Entry& entry : sheet.row_entries(row)) {
      rows.push_back(row);
      cols.push_back(entry.col);
      values.add(entry.value());
      fonts.push_back(-1);
      if (std::optional<Font> font = sheet.font_at(row, entry.col)) {
        auto found = std::find(font_list.begin(), font_list.end(), *font);
        fonts.back() = static_cast<int>(found - font_list.begin());
        if (found == font_list.end()) font_list.push_back(*font);
      }
      last_row = row;
      last_col = std::max(last_col, entry.col);
    }
  }
  val font_values = val::array();
  for (const Font& font : font_list) font_values.call<void>("push", font_value(font));
  val cells = val::module_property("sheetCells")(view_of(rows), view_of(cols), values.kinds(),
                                                 values.values(), view_of(fonts), font_values);
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
