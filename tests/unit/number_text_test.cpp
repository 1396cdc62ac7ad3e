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

TEST(Cp1252Byte, AsciiAndLatin1KeepTheirValue) {
  EXPECT_EQ(cp1252_byte_of(U'\0'), '\0');
  EXPECT_EQ(cp1252_byte_of(U'A'), 'A');
  EXPECT_EQ(cp1252_byte_of(0x7F), '\x7F');
  EXPECT_EQ(cp1252_byte_of(0xA0), '\xA0');
  EXPECT_EQ(cp1252_byte_of(0xB5), '\xB5');  // micro sign
  EXPECT_EQ(cp1252_byte_of(0xE9), '\xE9');  // e acute
  EXPECT_EQ(cp1252_byte_of(0xFF), '\xFF');
}

TEST(Cp1252Byte, CharactersOfTheBytes80To9F) {
  EXPECT_EQ(cp1252_byte_of(0x20AC), '\x80');  // euro sign
  EXPECT_EQ(cp1252_byte_of(0x201A), '\x82');
  EXPECT_EQ(cp1252_byte_of(0x0152), '\x8C');  // OE
  EXPECT_EQ(cp1252_byte_of(0x017D), '\x8E');
  EXPECT_EQ(cp1252_byte_of(0x2019), '\x92');  // right single quote
  EXPECT_EQ(cp1252_byte_of(0x2122), '\x99');  // trade mark
  EXPECT_EQ(cp1252_byte_of(0x0178), '\x9F');  // Y diaeresis
  EXPECT_EQ(cp1252_byte_of(0x0081), '\x81');
  EXPECT_EQ(cp1252_byte_of(0x009D), '\x9D');
}

TEST(Cp1252Byte, NoneForWhatTheCodePageLacks) {
  // U+0080 and U+009F are controls: their bytes stand for the euro sign and Y diaeresis.
  for (char32_t cp : {0x0080, 0x009F, 0x0100, 0x03B1, 0x2028, 0xFFFD, 0x1F600, 0x110000})
    EXPECT_EQ(cp1252_byte_of(cp), std::nullopt) << std::hex << static_cast<unsigned>(cp);
}

}  // namespace
}  // namespace ordelix
