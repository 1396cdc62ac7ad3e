#include <string>

#include <gtest/gtest.h>

#include "base/cp1252.h"
#include "base/number_text.h"

namespace ordelix {
namespace {

TEST(NumericText, DecimalNumbersAreNumbers) {
  EXPECT_EQ(numeric_text_value("12"), 12.0);
  EXPECT_EQ(numeric_text_value(" 0.5 "), 0.5);
  EXPECT_EQ(numeric_text_value("-3"), -3.0);
  EXPECT_EQ(numeric_text_value("+4"), 4.0);
  EXPECT_EQ(numeric_text_value("1e3"), 1000.0);
  EXPECT_EQ(numeric_text_value("1E-2"), 0.01);
  EXPECT_EQ(numeric_text_value("5."), 5.0);
  EXPECT_EQ(numeric_text_value(".5"), 0.5);
  EXPECT_EQ(numeric_text_value("0.412   "), 0.412);
  EXPECT_EQ(numeric_text_value("-0.2"), -0.2);
  EXPECT_EQ(numeric_text_value("2.5e+1"), 25.0);
}

TEST(NumericText, OtherTextsStayText) {
  for (const char* text : {"", " ", ".", "1.2.3", "12abc", "1e", "0x10", "1,5", "1e999", "&H10",
                           "+", "-", "1 2", "e5", "1e+", "--1", "BRADFORD", "n/a"})
    EXPECT_EQ(numeric_text_value(text), std::nullopt) << '"' << text << '"';
}

TEST(GeneralNumberText, NoTrailingZeros) {
  EXPECT_EQ(general_number_text(0.5), "0.5");
  EXPECT_EQ(general_number_text(-0.2), "-0.2");
  EXPECT_EQ(general_number_text(18.7245), "18.7245");
  EXPECT_EQ(general_number_text(1.5), "1.5");
  EXPECT_EQ(general_number_text(10), "10");
  EXPECT_EQ(general_number_text(0), "0");
  EXPECT_EQ(general_number_text(0.0001), "0.0001");
}

TEST(GeneralNumberText, ExponentForm) {
  EXPECT_EQ(general_number_text(1e-5), "1E-05");
  EXPECT_EQ(general_number_text(1e15), "1E+15");
  EXPECT_EQ(general_number_text(-2.5e-7), "-2.5E-07");
}

TEST(GeneralNumberText, FifteenSignificantDigits) {
  EXPECT_EQ(general_number_text(123456789012345.0), "123456789012345");
  EXPECT_EQ(general_number_text(1.0 / 3.0), "0.333333333333333");
  EXPECT_EQ(general_number_text(2.0 / 3.0), "0.666666666666667");
  EXPECT_EQ(general_number_text(0.1 + 0.2), "0.3");
}

TEST(FixedNumberText, ThreeDecimalsWithLeadingDigit) {
  EXPECT_EQ(fixed_number_text(0.99, 3), "0.990");
  EXPECT_EQ(fixed_number_text(0.99951, 3), "1.000");
  EXPECT_EQ(fixed_number_text(0.5, 3), "0.500");
  EXPECT_EQ(fixed_number_text(0, 3), "0.000");
  EXPECT_EQ(fixed_number_text(-0.25, 3), "-0.250");
  EXPECT_EQ(fixed_number_text(12.3456, 3), "12.346");
}

TEST(Cp1252, AsciiUnchanged) {
  EXPECT_EQ(cp1252_to_utf8("Sample 1 (ug/ml)"), "Sample 1 (ug/ml)");
  EXPECT_EQ(cp1252_to_utf8(""), "");
}

TEST(Cp1252, HighBytes) {
  EXPECT_EQ(cp1252_to_utf8("\x80"), "\xE2\x82\xAC");
  EXPECT_EQ(cp1252_to_utf8("\xE9"), "\xC3\xA9");
  EXPECT_EQ(cp1252_to_utf8("\xB5g/ml"), "\xC2\xB5g/ml");
  EXPECT_EQ(cp1252_to_utf8("\x9F"), "\xC5\xB8");
  EXPECT_EQ(cp1252_to_utf8("\xFF"), "\xC3\xBF");
}

TEST(Cp1252, UnassignedBytesKeepTheirCodePoint) {
  EXPECT_EQ(cp1252_to_utf8("\x81"), "\xC2\x81");
  EXPECT_EQ(cp1252_to_utf8("\x9D"), "\xC2\x9D");
}

TEST(Cp1252, NulBecomesReplacementCharacter) {
  EXPECT_EQ(cp1252_to_utf8(std::string("a\0b", 3)),
            "a\xEF\xBF\xBD"
            "b");
}

}  // namespace
}  // namespace ordelix
