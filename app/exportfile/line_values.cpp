#include "line_values.h"

#include <cmath>
#include <cstdint>
#include <string>

#include "base/float_chars.h"

namespace ordelix {
namespace {

bool is_ignored(char c) {
  return c == ' ' || c == '\t' || c == '\n';
}
bool is_digit(char c) {
  return c >= '0' && c <= '9';
}

LenientReading read_to(double value, std::size_t end, const std::string& s) {
  return {value, end == s.size() ? NumberFit::whole : NumberFit::leading_part};
}

LenientReading radix_integer(const std::string& s, std::size_t pos, int radix) {
  std::uint64_t value = 0;
  std::size_t start = pos;
  for (; pos < s.size(); ++pos) {
    char c = s[pos];
    int digit;
    if (is_digit(c))
      digit = c - '0';
    else if (radix == 16 && c >= 'a' && c <= 'f')
      digit = c - 'a' + 10;
    else if (radix == 16 && c >= 'A' && c <= 'F')
      digit = c - 'A' + 10;
    else
      break;
    if (digit >= radix) break;
    if (value > (UINT64_MAX >> 4)) return {};
    value = value * static_cast<std::uint64_t>(radix) + static_cast<std::uint64_t>(digit);
  }
  if (pos == start) return {};
  return read_to(static_cast<double>(value), pos, s);
}

}  // namespace

double lenient_number(std::string_view text) {
  return lenient_number_reading(text).value;
}

LenientReading lenient_number_reading(std::string_view text) {
  std::string s;
  s.reserve(text.size());
  for (char c : text)
    if (!is_ignored(c)) s.push_back(c);

  if (s.size() >= 2 && s[0] == '&') {
    if (s[1] == 'H' || s[1] == 'h') return radix_integer(s, 2, 16);
    if (s[1] == 'O' || s[1] == 'o') return radix_integer(s, 2, 8);
    return {};
  }

  // Collect the longest prefix that forms a number, in from_chars' syntax.
  std::string number;
  std::size_t i = 0;
  bool negative = false;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) negative = s[i++] == '-';
  bool digits = false;
  bool point = false;
  for (; i < s.size(); ++i) {
    if (is_digit(s[i])) {
      digits = true;
      number.push_back(s[i]);
    } else if (s[i] == '.' && !point) {
      point = true;
      number.push_back('.');
    } else {
      break;
    }
  }
  if (!digits) return {};
  if (i < s.size() && (s[i] == 'E' || s[i] == 'e' || s[i] == 'D' || s[i] == 'd')) {
    std::size_t j = i + 1;
    std::string exponent = "e";
    if (j < s.size() && (s[j] == '+' || s[j] == '-')) exponent.push_back(s[j++]);
    bool exponent_digits = false;
    for (; j < s.size() && is_digit(s[j]); ++j) {
      exponent_digits = true;
      exponent.push_back(s[j]);
    }
    if (exponent_digits) {
      number += exponent;
      i = j;
    }
  }
  std::optional<double> value = decimal_text_value(number);
  if (!value) return {};
  return read_to(negative ? -*value : *value, i, s);
}

int round_half_even_int16(double value) {
  if (std::isnan(value)) return 0;
  if (value <= -32768.0) return -32768;
  if (value >= 32767.0) return 32767;
  return static_cast<int>(std::rint(value));
}

}  // namespace ordelix
