// The standard library's floating-point from_chars and to_chars where it has
// them. Emscripten's (libc++ 13) has not: there, the C library's strtod and
// printf, by which the standard defines those, and which know no locale but
// "C" there.

#include "float_chars.h"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>

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
  std::string terminated(text);
  char* end = nullptr;
  errno = 0;
  double value = std::strtod(terminated.c_str(), &end);
  if (end != terminated.c_str() + terminated.size()) return std::nullopt;
  // strtod flags a subnormal result too, which from_chars takes.
  if (errno == ERANGE && (value == 0 || std::isinf(value))) return std::nullopt;
  return value;
}

std::string float_text(double value, std::chars_format format, int precision) {
  char buffer[longest_text];
  const char* style = format == std::chars_format::fixed        ? "%.*f"
                      : format == std::chars_format::scientific ? "%.*e"
                                                                : "%.*g";
  int n = std::snprintf(buffer, sizeof buffer, style, precision, value);
  if (n < 0 || static_cast<std::size_t>(n) >= sizeof buffer) return {};
  return std::string(buffer, static_cast<std::size_t>(n));
}

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
  } while (digits < round_trip_digits && std::strtod(exponent_style.c_str(), nullptr) != value);
  int exponent = std::atoi(exponent_style.c_str() + exponent_style.find('e') + 1);
  std::string fixed_style =
      float_text(value, std::chars_format::fixed, std::max(0, digits - 1 - exponent));
  return fixed_style.size() <= exponent_style.size() ? fixed_style : exponent_style;
}

#endif

}  // namespace ordelix
