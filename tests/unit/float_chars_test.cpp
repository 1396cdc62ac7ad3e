#include <cfloat>
#include <charconv>
#include <cstdlib>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "base/float_chars.h"

namespace ordelix {
namespace {

TEST(DecimalTextValue, ReadsEveryFormOfTheSyntaxRoundedToNearest) {
  EXPECT_EQ(decimal_text_value("0.5"), 0.5);
  EXPECT_EQ(decimal_text_value("5."), 5.0);
  EXPECT_EQ(decimal_text_value(".25"), 0.25);
  EXPECT_EQ(decimal_text_value("2.5e+1"), 25.0);
  EXPECT_EQ(decimal_text_value("125E-3"), 0.125);
  // 2^53 + 1 lies halfway between two doubles: the even one, 2^53.
  EXPECT_EQ(decimal_text_value("9007199254740993"), 9007199254740992.0);
  EXPECT_EQ(decimal_text_value("1.7976931348623157e308"), DBL_MAX);
}

TEST(DecimalTextValue, NothingBeyondWhatADoubleHolds) {
  EXPECT_EQ(decimal_text_value("1e400"), std::nullopt);
  EXPECT_EQ(decimal_text_value("1.7976931348623159e308"), std::nullopt) << "rounds to infinity";
  EXPECT_EQ(decimal_text_value("1e-400"), std::nullopt) << "rounds to zero";
  EXPECT_EQ(decimal_text_value("2.4703282292062327e-324"), std::nullopt)
      << "just below half the least";
}

TEST(DecimalTextValue, SubnormalsAndZerosAreValues) {
  EXPECT_EQ(decimal_text_value("4e-320"), 4e-320);
  EXPECT_EQ(decimal_text_value("2.4703282292062328e-324"), 4.9406564584124654e-324);
  EXPECT_EQ(decimal_text_value("0e999"), 0.0);
  EXPECT_EQ(decimal_text_value("0.000"), 0.0);
}

TEST(DecimalTextValue, OnlyAWholeTextOfTheSyntax) {
  for (const char* text : {"", "12abc", "1.5 ", " 1", "-1", "+1", ".", "1e", "1e+", "0x10", "0X1p3",
                           "inf", "nan", "1d5"})
    EXPECT_EQ(decimal_text_value(text), std::nullopt) << '"' << text << '"';
}

TEST(FloatText, GeneralIsPrintfsShortestOfFixedAndExponent) {
  EXPECT_EQ(float_text(0.1, std::chars_format::general, 15), "0.1");
  EXPECT_EQ(float_text(1e20, std::chars_format::general, 15), "1e+20");
  EXPECT_EQ(float_text(0.00001, std::chars_format::general, 15), "1e-05");
  EXPECT_EQ(float_text(0.0001, std::chars_format::general, 15), "0.0001");
  EXPECT_EQ(float_text(123456789012345678.0, std::chars_format::general, 15),
            "1.23456789012346e+17");
  EXPECT_EQ(float_text(100000000000000.0, std::chars_format::general, 15), "100000000000000");
  EXPECT_EQ(float_text(1e-300, std::chars_format::general, 15), "1e-300");
}

TEST(FloatText, FixedRoundsTheExactBinaryValueHalfToEven) {
  EXPECT_EQ(float_text(2.5, std::chars_format::fixed, 0), "2");
  EXPECT_EQ(float_text(3.5, std::chars_format::fixed, 0), "4");
  EXPECT_EQ(float_text(0.125, std::chars_format::fixed, 2), "0.12");
  // 1.005 is held as 1.00499999999999989...
  EXPECT_EQ(float_text(1.005, std::chars_format::fixed, 2), "1.00");
  EXPECT_EQ(float_text(-0.5, std::chars_format::fixed, 0), "-0");
  EXPECT_EQ(float_text(0.99, std::chars_format::fixed, 3), "0.990");
}

TEST(FloatText, NothingWhenLongerThanFourHundredCharacters) {
  EXPECT_EQ(float_text(1e300, std::chars_format::fixed, 2).size(), 304u);
  EXPECT_EQ(float_text(1e308, std::chars_format::fixed, 100), "");
}

TEST(FloatTextShortest, FewestDigitsThatReadBackAndNoLocale) {
  EXPECT_EQ(float_text_shortest(0.1), "0.1");
  EXPECT_EQ(float_text_shortest(1e-7), "1e-07");
  EXPECT_EQ(float_text_shortest(-0.0), "-0");
  EXPECT_EQ(float_text_shortest(595), "595");
  EXPECT_EQ(float_text_shortest(0.1 + 0.2), "0.30000000000000004");
  for (double value : {0.1, 1e-7, 123456789012345680000.0, 5e-324, 1.7976931348623157e308,
                       2.0 / 3.0, -1234.5678}) {
    std::string text = float_text_shortest(value);
    char* end = nullptr;
    EXPECT_EQ(std::strtod(text.c_str(), &end), value) << text;
    EXPECT_EQ(*end, '\0') << text;
  }
}

}  // namespace
}  // namespace ordelix
