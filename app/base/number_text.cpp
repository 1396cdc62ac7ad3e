#include "number_text.h"

#include "float_chars.h"

namespace ordelix {
namespace {

bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

std::optional<double> numeric_text_value(std::string_view text) {
  std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return std::nullopt;
  std::size_t last = text.find_last_not_of(' ');
  std::string_view s = text.substr(first, last - first + 1);

  std::size_t i = 0;
  bool negative = false;
  if (s[i] == '+' || s[i] == '-') negative = s[i++] == '-';
  std::size_t mantissa_start = i;
  bool digits = false;
  bool point = false;
  for (; i < s.size(); ++i) {
    if (is_digit(s[i]))
      digits = true;
    else if (s[i] == '.' && !point)
      point = true;
    else
      break;
  }
  if (!digits) return std::nullopt;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::size_t j = i + 1;
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) ++j;
    if (j == s.size() || !is_digit(s[j])) return std::nullopt;
    while (j < s.size() && is_digit(s[j])) ++j;
    i = j;
  }
  if (i != s.size()) return std::nullopt;

  std::optional<double> value = decimal_text_value(s.substr(mantissa_start));
  if (!value) return std::nullopt;
  if (*value == 0) return 0.0;
  return negative ? -*value : *value;
}

std::string general_number_text(double value) {
  if (value == 0) return "0";
  std::string text = float_text(value, std::chars_format::general, 15);
  for (char& c : text)
    if (c == 'e') c = 'E';
  return text;
}

std::string fixed_number_text(double value, int decimals) {
  return float_text(value, std::chars_format::fixed, decimals);
}

}  // namespace ordelix
