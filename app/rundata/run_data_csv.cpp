#include <algorithm>

#include "base/float_chars.h"
#include "run_data.h"

namespace ordelix {
namespace {

constexpr std::string_view line_end = "\r\n";

void text_field(std::string& out, std::string_view text, char separator) {
  bool quoted = text.find_first_of(std::string{separator, '"', '\r', '\n'}) != text.npos;
  if (!quoted) {
    out += text;
    return;
  }
  out += '"';
  for (char c : text) {
    if (c == '"') out += '"';
    out += c;
  }
  out += '"';
}

// With ';' between fields a number takes the decimal comma that goes with it.
void number_field(std::string& out, double number, char separator) {
  std::string text = float_text_shortest(number);
  if (separator == ';') std::replace(text.begin(), text.end(), '.', ',');
  out += text;
}

void line_write(std::string& out, const std::vector<DataValue>& values, char separator) {
  for (std::size_t k = 0; k < values.size(); ++k) {
    if (k > 0) out += separator;
    if (const auto* number = std::get_if<double>(&values[k]))
      number_field(out, *number, separator);
    else if (const auto* text = std::get_if<std::string>(&values[k]))
      text_field(out, *text, separator);
  }
  out += line_end;
}

}  // namespace

std::string run_data_csv(const RunData& data, char separator) {
  std::string out;
  if (data.tables.empty()) return out;
  const DataTable& table = data.tables.back();
  line_write(out, table.columns, separator);
  for (const std::vector<DataValue>& row : table.rows) line_write(out, row, separator);
  return out;
}

}  // namespace ordelix
