#pragma once

#include <initializer_list>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "exportfile/code_tables.h"
#include "sheet/report_sheet.h"

// Pieces that every report's layout is made of.
namespace ordelix::layout {

constexpr int col_a = 1;
constexpr int col_c = 3;
constexpr int col_d = 4;
constexpr int col_e = 5;
constexpr int col_f = 6;
constexpr int col_g = 7;
constexpr int col_i = 9;
constexpr int col_j = 10;
constexpr int col_k = 11;
constexpr int col_m = 13;
constexpr int col_o = 15;
constexpr int col_q = 17;
constexpr int col_s = 19;
constexpr int col_u = 21;
constexpr int col_w = 23;

Font bold_font();
Font plain_font();

std::string blanks(int count);

// Rows of layout alone, in column A: a separator (one blank, then
// `hyphen_count` hyphens), a line of `count` hyphens, a padding of `count` blanks.
void separator_row(ReportSheet& sheet, int row, int hyphen_count);
void hyphen_row(ReportSheet& sheet, int row, int count);
void blank_row(ReportSheet& sheet, int row, int count);

// A header row: label in column A, value in column D; no value leaves D alone.
void header_row(ReportSheet& sheet, int row, std::string_view label,
                std::optional<std::string_view> value = std::nullopt);
// Without a time D stays empty.
void date_row(ReportSheet& sheet, int row, std::string_view label,
              const std::optional<DateTime>& created);
// The path length in millimetres; none leaves D alone.
void path_length_row(ReportSheet& sheet, int row, std::string_view label, std::optional<double> mm);
// Background by the value of its line: "On" for 0, "Off" for 1, no value otherwise.
void background_row_by_value(ReportSheet& sheet, int row, std::string_view label, double value);
// Background by the first character of its line: "On" for "0", "Off" otherwise.
void background_row_by_first_character(ReportSheet& sheet, int row, std::string_view label,
                                       std::string_view line);

// Columns A, C, E, G ...: `count` of them, each heading above its values.
std::vector<TableColumn> columns_from_a(int count);

// A data table with its heading in row `heading_row` and its data rows from
// `first_row` down; gives its index, which marks its other parts.
int table_begin(ReportSheet& sheet, int heading_row, int first_row,
                std::vector<TableColumn> columns);

// A data table's heading row: the first title in column A, the others in
// columns C, E, G ... above the values, which begin two rows below, under a
// separator. Gives the table's index.
int heading_row(ReportSheet& sheet, int row, std::initializer_list<std::string_view> titles);

// The title of table `table`, in column A above its heading.
void title_row(ReportSheet& sheet, int table, int row, std::string_view title);

// A text shown with table `table`, outside its heading and rows.
void note_text(ReportSheet& sheet, int table, int row, int col, std::string_view text);

// Column A of rows `first_row` to `last_row` numbered 1, 2, 3 ...
void data_numbers(ReportSheet& sheet, int first_row, int last_row);

// Whether the equation joins the intercept with " * OD + " always, or only
// when it is positive (a negative one then brings its own minus sign).
enum class InterceptJoin { always_plus, plus_when_positive };

// "CONC = <slope> * OD + <intercept>" and seven blanks.
std::string calibration_equation(double slope, double intercept,
                                 InterceptJoin join = InterceptJoin::always_plus);
// "R = <r with three decimals>" and 22 blanks.
std::string correlation_text(double r);

// Places the values of a data section row after row: from `first_col` in
// steps of two; past `last_col` the next row begins at `first_col` again.
class DataCursor {
 public:
  DataCursor(ReportSheet& sheet, int row, int first_col, int last_col)
      : sheet_(sheet), row_(row), col_(first_col), first_col_(first_col), last_col_(last_col) {}

  void write(std::string_view text) {
    sheet_.set_text(row_, col_, text);
    advance();
  }
  void advance() {
    col_ += 2;
    if (col_ > last_col_) {
      col_ = first_col_;
      ++row_;
    }
  }
  void step_back() { col_ -= 2; }
  // Writes into the current cell and stays there.
  void put(std::string_view text) { sheet_.set_text(row_, col_, text); }

 private:
  ReportSheet& sheet_;
  int row_;
  int col_;
  int first_col_;
  int last_col_;
};

}  // namespace ordelix::layout
