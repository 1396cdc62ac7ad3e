#pragma once

#include <string_view>

namespace ordelix {

// The first 8 bytes of a line (the whole line if shorter), trailing blanks kept.
inline std::string_view header_cut(std::string_view line) {
  return line.substr(0, 8);
}
inline std::string_view first_character(std::string_view line) {
  return line.substr(0, 1);
}

// The instrument reader's forgiving number parse: blanks, tabs and line feeds
// are ignored wherever they stand; an optional sign, digits with at most one
// "." and an optional exponent (E or D) are read up to the first character that
// cannot continue the number; "&H" and "&O" read hexadecimal and octal
// integers. No number, or one too large for a double, gives 0.
double lenient_number(std::string_view text);

// How much of a text the forgiving parse took as its number.
enum class NumberFit {
  whole,         // the number and nothing else, blanks aside
  leading_part,  // a number with more after it: "12abc" reads as 12
  none,          // no number a double can hold: it reads as 0
};

struct LenientReading {
  double value = 0;
  NumberFit fit = NumberFit::none;
};

// The forgiving parse, telling also whether the text held just a number.
LenientReading lenient_number_reading(std::string_view text);

// A count from the file taken as a 16-bit loop bound: nearest integer with
// halves to the even neighbour, held to the 16-bit range.
int round_half_even_int16(double value);

}  // namespace ordelix
