#include "photometry.h"

#include <optional>
#include <string>

#include "number_text.h"
#include "report_layout.h"

namespace ordelix {
namespace {

using namespace layout;

// How far the header is read for a file of `line_count` lines; 0 reads none.
int last_header_line(long line_count) {
  if (line_count >= 13 && line_count <= 17) return static_cast<int>(line_count) - 2;
  if (line_count >= 18 && line_count <= 10000) return 16;
  return 0;
}

// The wavelength count as the layout knows it: 1 to 6, otherwise 0.
int known_wavelength_count(double w) {
  for (int count = 1; count <= 6; ++count)
    if (w == count) return count;
  return 0;
}

// Codes 0 to 6 as for every report; photometry prints 10 for any other
// number. A field that holds no number cannot be compared and prints nothing.
void photometry_path_length_row(ReportSheet& sheet, std::string_view field) {
  sheet.set_text(6, col_a, "Pathlength(mm)        ");
  if (auto code = numeric_text_value(field))
    sheet.set_number(6, col_d, path_length_of_code(*code).value_or(10));
}

class Photometry {
 public:
  Photometry(ExportReader& reader, ReportSheet& sheet) : reader_(reader), sheet_(sheet) {}

  void write() {
    sheet_.set_font("A1:C6", bold_font());
    sheet_.set_font("A8:Z8", bold_font());
    reader_.count_lines();
    header_end_ = last_header_line(reader_.state().line_count);
    if (header_end_ > 0) reader_.read_header(header_end_);
    w_value_ = reader_.value_of_line(8);
    w_ = known_wavelength_count(w_value_);

    header_block();
    data_table_heading();
    data_table();
  }

 private:
  bool was_read(int line) const { return line <= header_end_; }

  // The data mode stands between the last wavelength and the sample count;
  // without a known wavelength count, or when that line was not read, it is
  // unknown.
  std::optional<std::string_view> data_mode() const {
    int line = 9 + w_;
    if (w_ == 0 || !was_read(line)) return std::nullopt;
    return reader_.field_of_line(line) == "0" ? "%T" : "OD/Abs";
  }

  void header_block() {
    header_row(sheet_, 1, "Method                ", "PHOTOMETRY" + blanks(35));
    date_row(sheet_, 2, "Time & Date           ", reader_.file().created());
    header_row(sheet_, 3, separator(69));
    header_row(sheet_, 4, "Sample Group Name     ", reader_.field_of_line(4));
    header_row(sheet_, 5, "Data Mode             ", data_mode());
    photometry_path_length_row(sheet_, reader_.field_of_line(5));
    header_row(sheet_, 7, blanks(70));
  }

  // Wavelength i heads column 3 + 2i as "WL<i><field as stored>nm".
  void data_table_heading() {
    sheet_.set_text(8, col_a, "Data No.     ");
    sheet_.set_text(8, col_c, "Sample No.   ");
    for (int i = 1; i <= w_; ++i) {
      if (!was_read(8 + i)) continue;
      std::string heading = "WL" + std::to_string(i);
      heading += reader_.field_of_line(8 + i);
      heading += "nm";
      sheet_.set_text(8, 3 + 2 * i, heading);
    }
    sheet_.set_text(9, col_a, separator(220));
  }

  // Without a known wavelength count the sample count is unknown and the row
  // width too: no data numbers, and each value takes a row of its own.
  void data_table() {
    int last_col = col_c;
    if (w_ > 0) {
      data_numbers(sheet_, 10, round_half_even_int16(reader_.value_of_line(10 + w_) + 9));
      last_col = 3 + 2 * w_;
    }
    DataCursor cursor(sheet_, 10, col_c, last_col);
    reader_.for_each_line_from(1, [&](int line, std::string_view value) {
      if (line > 10 + w_value_) cursor.write(value);
    });
  }

  ExportReader& reader_;
  ReportSheet& sheet_;
  int header_end_ = 0;
  double w_value_ = 0;
  int w_ = 0;
};

}  // namespace

ReportRefusal photometry_write(ReportContext& context) {
  Photometry(context.reader, context.sheet).write();
  return std::nullopt;
}

}  // namespace ordelix
