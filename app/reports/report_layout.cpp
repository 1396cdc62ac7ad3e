#include "report_layout.h"

#include "base/number_text.h"
#include "exportfile/line_values.h"

namespace ordelix::layout {
namespace {

std::string hyphens(int count) {
  return std::string(static_cast<std::size_t>(count), '-');
}

// One blank followed by `count` hyphens.
std::string separator(int count) {
  std::string line(static_cast<std::size_t>(count) + 1, '-');
  line[0] = ' ';
  return line;
}

}  // namespace

Font bold_font() {
  return Font{12, true, false, 1};
}
Font plain_font() {
  return Font{12, false, false, 1};
}

std::string blanks(int count) {
  return std::string(static_cast<std::size_t>(count), ' ');
}

void separator_row(ReportSheet& sheet, int row, int hyphen_count) {
  sheet.set_layout_text(row, col_a, separator(hyphen_count));
}

void hyphen_row(ReportSheet& sheet, int row, int count) {
  sheet.set_layout_text(row, col_a, hyphens(count));
}

void blank_row(ReportSheet& sheet, int row, int count) {
  sheet.set_layout_text(row, col_a, blanks(count));
}

void header_row(ReportSheet& sheet, int row, std::string_view label,
                std::optional<std::string_view> value) {
  sheet.mark_header_row(row);
  sheet.set_text(row, col_a, label);
  if (value) sheet.set_text(row, col_d, *value);
}

void date_row(ReportSheet& sheet, int row, std::string_view label,
              const std::optional<DateTime>& created) {
  sheet.mark_header_row(row);
  sheet.set_text(row, col_a, label);
  if (created) sheet.set_date_time(row, col_d, *created);
}

void path_length_row(ReportSheet& sheet, int row, std::string_view label,
                     std::optional<double> mm) {
  sheet.mark_header_row(row);
  sheet.set_text(row, col_a, label);
  if (mm) sheet.set_number(row, col_d, *mm);
}

void background_row_by_value(ReportSheet& sheet, int row, std::string_view label, double value) {
  std::optional<std::string_view> text;
  if (value == 0)
    text = "On";
  else if (value == 1)
    text = "Off";
  header_row(sheet, row, label, text);
}

void background_row_by_first_character(ReportSheet& sheet, int row, std::string_view label,
                                       std::string_view line) {
  header_row(sheet, row, label, first_character(line) == "0" ? "On" : "Off");
}

std::vector<TableColumn> columns_from_a(int count) {
  std::vector<TableColumn> columns;
  for (int col = col_a; col < col_a + 2 * count; col += 2) columns.push_back({col, col});
  return columns;
}

int table_begin(ReportSheet& sheet, int heading_row, int first_row,
                std::vector<TableColumn> columns) {
  int table = sheet.add_table(std::move(columns));
  sheet.mark_table_rows(table, RowPart::table_heading, heading_row, heading_row);
  sheet.mark_table_rows(table, RowPart::table_data, first_row);
  return table;
}

int heading_row(ReportSheet& sheet, int row, std::initializer_list<std::string_view> titles) {
  std::vector<TableColumn> columns = columns_from_a(static_cast<int>(titles.size()));
  for (std::size_t k = 0; k < titles.size(); ++k)
    sheet.set_text(row, columns[k].heading_col, titles.begin()[k]);
  return table_begin(sheet, row, row + 2, std::move(columns));
}

void title_row(ReportSheet& sheet, int table, int row, std::string_view title) {
  sheet.mark_table_rows(table, RowPart::table_title, row, row);
  sheet.set_text(row, col_a, title);
}

void note_text(ReportSheet& sheet, int table, int row, int col, std::string_view text) {
  sheet.mark_table_rows(table, RowPart::table_note, row, row);
  sheet.set_text(row, col, text);
}

void data_numbers(ReportSheet& sheet, int first_row, int last_row) {
  for (int row = first_row; row <= last_row; ++row)
    sheet.set_number(row, col_a, row - first_row + 1);
}

std::string calibration_equation(double slope, double intercept, InterceptJoin join) {
  bool plus = join == InterceptJoin::always_plus || intercept > 0;
  return "CONC = " + general_number_text(slope) + (plus ? " * OD + " : " * OD ") +
         general_number_text(intercept) + blanks(7);
}

std::string correlation_text(double r) {
  return "R = " + fixed_number_text(r, 3) + blanks(22);
}

}  // namespace ordelix::layout
