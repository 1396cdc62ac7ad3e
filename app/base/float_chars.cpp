// The standard library's floating-point from_chars and to_chars where it has
// them. Emscripten's (libc++ 13) has not: there, fast_float reads, as
// from_chars does elsewhere, and {fmt} writes as printf does, by which the
// standard defines to_chars; the C library's strtod and printf take
// long-double arithmetic in software there, many times as long.

#include "float_chars.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#ifndef __cpp_lib_to_chars
#include <fast_float/fast_float.h>
#include <fmt/compile.h>
#endif

namespace ordelix {
namespace {

constexpr std::size_t longest_text = 400;

// Whether the text may be a number of the syntax at all: without this, each
// library reads more forms (a sign, blanks, hexadecimal, infinities), and
// strtod some that from_chars does not.
bool starts_as_decimal(std::string_view text) {
  return !text.empty() && ((text[0] >= '0' && text[0] <= '9') || text[0] == '.') &&
         text.find_first_of("xX") == std::string_view::npos;
}

}  // namespace

#ifdef __cpp_lib_to_chars

std::optional<double> decimal_text_value(std::string_view text) {
  if (!starts_as_decimal(text)) return std::nullopt;
  double value = 0;
  auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  return value;
}

std::string float_text(double value, std::chars_format format, int precision) {
  char buffer[longest_text];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value, format, precision);
  if (ec != std::errc()) return {};
  return std::string(buffer, end);
}

std::string float_text_shortest(double value) {
  char buffer[longest_text];
  auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, value);
  if (ec != std::errc()) return {};
  return std::string(buffer, end);
}

#else

std::optional<double> decimal_text_value(std::string_view text) {
  if (!starts_as_decimal(text)) return std::nullopt;
  double value = 0;
  auto [end, ec] = fast_float::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size()) return std::nullopt;
  // Out of range, where from_chars says so, fast_float gives infinity or zero.
  std::string_view digits = text.substr(0, text.find_first_of("eE"));
  if (std::isinf(value) || (value == 0 && digits.find_first_of("123456789") != digits.npos))
    return std::nullopt;
  return value;
}

std::string float_text(double value, std::chars_format format, int precision) {
  char buffer[longest_text];
  auto written =
      format == std::chars_format::fixed
          ? fmt::format_to_n(buffer, sizeof buffer, FMT_COMPILE("{:.{}f}"), value, precision)
      : format == std::chars_format::scientific
          ? fmt::format_to_n(buffer, sizeof buffer, FMT_COMPILE("{:.{}e}"), value, precision)
          : fmt::format_to_n(buffer, sizeof buffer, FMT_COMPILE("{:.{}g}"), value, precision);
  if (written.size > sizeof buffer) return {};
  return std::string(buffer, written.size);
}

namespace {

double read_back(const std::string& text) {
  double value = 0;
  fast_float::from_chars(text.data(), text.data() + text.size(), value);
  return value;
}

}  // namespace

// As to_chars writes it: the fewest significant digits that read back (17
// always do), in the style that takes fewer characters, fixed on a tie;
// fixed, a whole number shows all its digits, as %.0f prints them.
std::string float_text_shortest(double value) {
  constexpr int round_trip_digits = 17;
  std::string exponent_style;
  int digits = 0;
  do {
    ++digits;
    exponent_style = float_text(value, std::chars_format::scientific, digits - 1);
  } while (digits < round_trip_digits && read_back(exponent_style) != value);
  int exponent = std::atoi(exponent_style.c_str() + exponent_style.find('e') + 1);
  std::string fixed_style =
      float_text(value, std::chars_format::fixed, std::max(0, digits - 1 - exponent));
  return fixed_style.size() <= exponent_style.size() ? fixed_style : exponent_style;
}

#endif

}  // namespace ordelix
