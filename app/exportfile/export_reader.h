#pragma once

#include <array>
#include <initializer_list>
#include <string>
#include <string_view>

#include "export_file.h"
#include "line_pass.h"
#include "line_values.h"

namespace ordelix {

// What the instrument reader keeps between its passes over one file.
struct ReadingState {
  static constexpr int field_count = 30;
  static constexpr int first_field_line = 4;

  // Header cuts; field k holds line k + 4 after a header read, lines 1 to 3
  // in fields 0 to 2 after a pre-scan.
  std::array<std::string, field_count> header_fields;
  // The pre-scan's values of line 1, which tells the kinds of one mode apart
  // (protein 2 or 6, nucleic acid 1 or 5), and of line 3, the variant within
  // the kind (method, UV or UV dye, sample type).
  double kind_code = 0;
  double variant_code = 0;
  long long line_count = 0;
  // The last line a header read stored as a field; 0 before any.
  int header_read_to = 0;
  std::string_view current_line;
};

// Reading passes over one export file. Every conversion makes its own reader,
// so nothing read from one file reaches the report of another.
class ExportReader {
 public:
  explicit ExportReader(const ExportFile& file) : file_(file) {}

  const ExportFile& file() const { return file_; }
  ReadingState& state() { return state_; }
  const ReadingState& state() const { return state_; }

  LinePass pass() { return LinePass(file_.bytes(), state_.current_line); }

  // Reads lines 1 to `lines`, keeps the header cuts of lines 1 to 3 in fields
  // 0 to 2 and the values of lines 1 and 3 as the kind and variant codes.
  void prescan(int lines);
  void count_lines();
  // Reads lines 1 to `last_line` and stores lines 4 on as header fields (line n
  // in field n - 4), cut to 8 characters, or to one for the lines listed.
  void read_header(int last_line, std::initializer_list<int> one_character_lines = {});
  // The protein colorimetric header read: how many lines depends on the line count.
  void read_colorimetric_header();

  std::string_view field_of_line(int line) const;
  double value_of_line(int line) const { return lenient_number(field_of_line(line)); }

  // How many lines the file has, whatever the passes made so far.
  long long file_line_count();
  // Line `line` of the file, whole; empty past its end.
  std::string_view file_line(long long line);

  // A data pass: every line from `first_line` to the end, header cut, with its number.
  template <class Visit>
  void for_each_line_from(int first_line, Visit&& visit) {
    LinePass p = pass();
    while (!p.at_end()) {
      std::string_view line = p.read();
      if (p.lines_read() >= first_line) visit(p.lines_read(), header_cut(line));
    }
  }

 private:
  const ExportFile& file_;
  ReadingState state_;
  long long file_line_count_ = -1;
};

// Lines that the colorimetric header read takes from a file of `line_count`
// lines; 0 reads none.
int colorimetric_header_lines(long long line_count);

}  // namespace ordelix
