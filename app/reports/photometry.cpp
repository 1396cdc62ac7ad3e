#include "photometry.h"

#include <optional>
#include <string>

#include "base/number_text.h"
#include "exportfile/line_values.h"
#include "report_checks.h"
#include "report_layout.h"

namespace ordelix {
namespace {

using namespace layout;

// How far the header is read for a file of `line_count` lines; 0 reads none.
int last_header_line(long long line_count) {
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
void photometry_path_length_row(ReportContext& c) {
  constexpr int line = 5;
  std::string_view field = c.reader.field_of_line(line);
  header_row(c.sheet, 6, "Pathlength(mm)        ");
  std::optional<double> code = numeric_text_value(field);
  if (!code) {
    if (header_line_read(c, line))
      report_warn(c, not_a_number_warning(line, c.reader.file_line(line),
                                          lenient_number_reading(field).fit != NumberFit::none,
                                          "the path length stays empty"));
    return;
  }
  std::optional<double> mm = path_length_of_code(*code);
  header_code_check(c, line, mm.has_value(), "path length codes", "the report shows 10");
  c.sheet.set_number(6, col_d, mm.value_or(10));
}

class Photometry {
 public:
  explicit Photometry(ReportContext& context)
      : context_(context), reader_(context.reader), sheet_(context.sheet) {}

  void write() {
    sheet_.set_font("A1:C6", bold_font());
    sheet_.set_font("A8:Z8", bold_font());
    reader_.count_lines();
    header_end_ = last_header_line(reader_.state().line_count);
    if (header_end_ > 0) reader_.read_header(header_end_);
    w_value_ = header_number(context_, 8);
    w_ = known_wavelength_count(w_value_);
    header_code_check(context_, 8, w_ > 0, "wavelength counts 1 to 6",
                      "the report shows no wavelengths and one value per row");
    if (w_ > 0) count_check(context_, 8, w_, "wavelength", 1, 9);
    header_check_end(context_, w_ > 0 ? 10 + w_ : 8);

    header_block();
    data_table_heading();
    data_table();
  }

 private:
  bool was_read(int line) const { return line <= header_end_; }

  // The data mode stands between the last wavelength and the sample count;
  // without a known wavelength count, or when that line was not read, it is
  // unknown.
  std::optional<std::string_view> data_mode() {
    int line = 9 + w_;
    if (w_ == 0 || !was_read(line)) return std::nullopt;
    header_text_code_check(context_, line, {"0", "1"}, "data mode codes 0 and 1",
                           "the report shows OD/Abs");
    return reader_.field_of_line(line) == "0" ? "%T" : "OD/Abs";
  }

  void header_block() {
    header_row(sheet_, 1, "Method                ", "PHOTOMETRY" + blanks(35));
    date_row(sheet_, 2, "Time & Date           ", reader_.file().created());
    separator_row(sheet_, 3, 69);
    header_row(sheet_, 4, "Sample Group Name     ", reader_.field_of_line(4));
    header_row(sheet_, 5, "Data Mode             ", data_mode());
    photometry_path_length_row(context_);
    blank_row(sheet_, 7, 70);
  }

  // Wavelength i heads column 3 + 2i as "WL<i><field as stored>nm"; a
  // wavelength whose line was not read leaves its column without a heading.
  void data_table_heading() {
    table_begin(sheet_, 8, 10, columns_from_a(2 + w_));
    sheet_.set_text(8, col_a, "Data No.     ");
    sheet_.set_text(8, col_c, "Sample No.   ");
    for (int i = 1; i <= w_; ++i) {
      if (!was_read(8 + i)) continue;
      std::string heading = "WL" + std::to_string(i);
      heading += reader_.field_of_line(8 + i);
      heading += "nm";
      sheet_.set_text(8, 3 + 2 * i, heading);
    }
    separator_row(sheet_, 9, 220);
  }

  // Without a known wavelength count the sample count is unknown and the row
  // width too: no data numbers, and each value takes a row of its own.
  void data_table() {
    int last_col = col_c;
    if (w_ > 0) {
      SampleCount samples = sample_count_read(context_, 10 + w_, w_ + 1, 11 + w_);
      sample_numbers_write(context_, samples, 10, round_half_even_int16(samples.count + 9));
      last_col = 3 + 2 * w_;
    }
    DataCursor cursor(sheet_, 10, col_c, last_col);
    data_lines_write(context_, 1, [&](int line, std::string_view value) {
      if (line > 10 + w_value_) cursor.write(value);
    });
  }

  ReportContext& context_;
  ExportReader& reader_;
  ReportSheet& sheet_;
  int header_end_ = 0;
  double w_value_ = 0;
  int w_ = 0;
};

}  // namespace

Result<void> photometry_write(ReportContext& context) {
  Photometry(context).write();
  return {};
}

}  // namespace ordelix
