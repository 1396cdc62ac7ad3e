#include "report_layout.h"

#include "base/number_text.h"
#include "exportfile/line_values.h"

namespace ordelix::layout {

Font bold_font() {
  return Font{12, true, false, 1};
}
Font plain_font() {
  return Font{12, false, false, 1};
}

std::string blanks(int count) {
  return std::string(static_cast<std::size_t>(count), ' ');
}
std::string hyphens(int count) {
  return std::string(static_cast<std::size_t>(count), '-');
}
std::string separator(int count) {
  std::string line(static_cast<std::size_t>(count) + 1, '-');
  line[0] = ' ';
  return line;
}

void header_row(ReportSheet& sheet, int row, std::string_view label,
                std::optional<std::string_view> value) {
  sheet.set_text(row, col_a, label);
  if (value) sheet.set_text(row, col_d, *value);
}

void date_row(ReportSheet& sheet, int row, std::string_view label,
              const std::optional<DateTime>& created) {
  sheet.set_text(row, col_a, label);
  if (created) sheet.set_date_time(row, col_d, *created);
}

void path_length_row(ReportSheet& sheet, int row, std::string_view label,
                     std::optional<double> mm) {
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

void heading_row(ReportSheet& sheet, int row, std::initializer_list<std::string_view> titles) {
  int col = col_a;
  for (std::string_view title : titles) {
    sheet.set_text(row, col, title);
    col = col == col_a ? col_c : col + 2;
  }
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
