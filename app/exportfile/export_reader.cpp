#include "export_reader.h"

#include <algorithm>

namespace ordelix {

void ExportReader::prescan(int lines) {
  LinePass p = pass();
  for (int line_no = 1; line_no <= lines; ++line_no) {
    std::string_view line = p.read();
    if (line_no <= 3) state_.header_fields[line_no - 1] = header_cut(line);
  }
  state_.kind_code = lenient_number(state_.header_fields[0]);
  state_.variant_code = lenient_number(state_.header_fields[2]);
}

void ExportReader::count_lines() {
  state_.line_count = 0;
  LinePass p = pass();
  while (!p.at_end()) {
    p.read();
    ++state_.line_count;
  }
}

void ExportReader::read_header(int last_line, std::initializer_list<int> one_character_lines) {
  last_line = std::min(last_line, ReadingState::first_field_line + ReadingState::field_count - 1);
  LinePass p = pass();
  for (int line_no = 1; line_no <= last_line; ++line_no) {
    std::string_view line = p.read();
    if (line_no < ReadingState::first_field_line) continue;
    bool one = std::find(one_character_lines.begin(), one_character_lines.end(), line_no) !=
               one_character_lines.end();
    state_.header_fields[line_no - ReadingState::first_field_line] =
        one ? first_character(line) : header_cut(line);
  }
  state_.header_read_to = std::max(state_.header_read_to, last_line);
}

int colorimetric_header_lines(long long line_count) {
  switch (line_count) {
    case 18:
    case 22:
    case 24:
    case 26:
    case 28:
    case 30:
    case 32:
    case 34:
    case 36:
      return 14;
    case 21:
      return 17;
    case 23:
      return 19;
    case 25:
      return 21;
    case 27:
      return 23;
    case 29:
      return 25;
    case 31:
      return 27;
    case 33:
      return 29;
    case 35:
      return 31;
    case 37:
      return 33;
    default:
      return line_count >= 38 && line_count <= 10000 ? 33 : 0;
  }
}

void ExportReader::read_colorimetric_header() {
  int lines = colorimetric_header_lines(state_.line_count);
  if (lines > 0) read_header(lines);
}

std::string_view ExportReader::field_of_line(int line) const {
  int index = line - ReadingState::first_field_line;
  if (index < 0 || index >= ReadingState::field_count) return {};
  return state_.header_fields[index];
}

long long ExportReader::file_line_count() {
  if (file_line_count_ < 0) {
    std::string_view unused;
    LinePass p(file_.bytes(), unused);
    while (!p.at_end()) p.read();
    file_line_count_ = p.lines_read();
  }
  return file_line_count_;
}

std::string_view ExportReader::file_line(long long line) {
  std::string_view text;
  LinePass p(file_.bytes(), text);
  while (!p.at_end() && p.lines_read() < line) p.read();
  return p.lines_read() == line ? text : std::string_view();
}

}  // namespace ordelix
