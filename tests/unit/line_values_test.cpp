#include <string>

#include <gtest/gtest.h>

#include "exportfile/line_values.h"

namespace ordelix {
namespace {

TEST(HeaderCut, FirstEightBytes) {
  EXPECT_EQ(header_cut("0.99876543"), "0.998765");
  EXPECT_EQ(header_cut("12345678"), "12345678");
  EXPECT_EQ(header_cut("595"), "595");
  EXPECT_EQ(header_cut(""), "");
}

TEST(HeaderCut, KeepsTrailingBlanks) {
  EXPECT_EQ(header_cut("3       further text"), "3       ");
  EXPECT_EQ(header_cut("ab   "), "ab   ");
}

TEST(HeaderCut, HighBytesCountOneEach) {
  EXPECT_EQ(header_cut("\xB5g/ml\xB0\xB0\xB0\xB0"), "\xB5g/ml\xB0\xB0\xB0");
  EXPECT_EQ(header_cut(std::string(10, '\xE9')), std::string(8, '\xE9'));
}

TEST(FirstCharacter, OneByte) {
  EXPECT_EQ(first_character("Yes"), "Y");
  EXPECT_EQ(first_character(""), "");
}

TEST(LenientNumber, StopsAtFirstCharacterThatCannotContinue) {
  EXPECT_DOUBLE_EQ(lenient_number(" 12.5abc"), 12.5);
  EXPECT_DOUBLE_EQ(lenient_number("12.5.3"), 12.5);
  EXPECT_DOUBLE_EQ(lenient_number("7-2"), 7);
}

TEST(LenientNumber, NoNumberGivesZero) {
  EXPECT_DOUBLE_EQ(lenient_number("abc"), 0);
  EXPECT_DOUBLE_EQ(lenient_number(""), 0);
  EXPECT_DOUBLE_EQ(lenient_number("        "), 0);
  EXPECT_DOUBLE_EQ(lenient_number("."), 0);
  EXPECT_DOUBLE_EQ(lenient_number("-"), 0);
}

TEST(LenientNumber, BlanksTabsAndLineFeedsAreIgnoredAnywhere) {
  EXPECT_DOUBLE_EQ(lenient_number("1 2"), 12);
  EXPECT_DOUBLE_EQ(lenient_number("\t7\n"), 7);
  EXPECT_DOUBLE_EQ(lenient_number("- 3"), -3);
  EXPECT_DOUBLE_EQ(lenient_number(" 1 . 5 "), 1.5);
}

TEST(LenientNumber, HeaderCutComesFirst) {
  EXPECT_DOUBLE_EQ(lenient_number(header_cut("0.99876543")), 0.998765);
  EXPECT_DOUBLE_EQ(lenient_number(header_cut("3       99")), 3);
}

TEST(LenientNumber, SignsAndLeadingPoint) {
  EXPECT_DOUBLE_EQ(lenient_number("-3"), -3);
  EXPECT_DOUBLE_EQ(lenient_number("+4"), 4);
  EXPECT_DOUBLE_EQ(lenient_number(".5"), 0.5);
  EXPECT_DOUBLE_EQ(lenient_number("-.5"), -0.5);
  EXPECT_DOUBLE_EQ(lenient_number("5."), 5);
}

TEST(LenientNumber, ExponentWithEOrD) {
  EXPECT_DOUBLE_EQ(lenient_number("2E3"), 2000);
  EXPECT_DOUBLE_EQ(lenient_number("2.5E-1"), 0.25);
  EXPECT_DOUBLE_EQ(lenient_number("1.5D2"), 150);
  EXPECT_DOUBLE_EQ(lenient_number("1D+1"), 10);
  // An exponent letter without digits cannot continue the number.
  EXPECT_DOUBLE_EQ(lenient_number("1E"), 1);
  EXPECT_DOUBLE_EQ(lenient_number("4Ex"), 4);
}

TEST(LenientNumber, HexadecimalAndOctalPrefixes) {
  EXPECT_DOUBLE_EQ(lenient_number("&H1F"), 31);
  EXPECT_DOUBLE_EQ(lenient_number("&O17"), 15);
  EXPECT_DOUBLE_EQ(lenient_number("&O19"), 1);
  EXPECT_DOUBLE_EQ(lenient_number("&H10xyz"), 16);
}

TEST(LenientNumber, TooLargeForADoubleGivesZero) {
  EXPECT_DOUBLE_EQ(lenient_number("1e999"), 0);
  EXPECT_DOUBLE_EQ(lenient_number("-1e999"), 0);
}

// The reading behind the warnings: a number alone, a number with more after
// it, or no number a double can hold.
TEST(LenientNumberReading, TellsHowMuchOfTheTextIsItsNumber) {
  for (const char* whole : {"12", " 1 2 ", "-0.5", "2.5E-1", "1D+1", "5.", "&H1F", "&O17"}) {
    SCOPED_TRACE(whole);
    EXPECT_EQ(lenient_number_reading(whole).fit, NumberFit::whole);
    EXPECT_DOUBLE_EQ(lenient_number_reading(whole).value, lenient_number(whole));
  }
  struct Leading {
    const char* text;
    double value;
  };
  for (const Leading& l :
       {Leading{"12abc", 12}, Leading{"12.5.3", 12.5}, Leading{"1E", 1}, Leading{"4Ex", 4},
        Leading{"7-2", 7}, Leading{"2,5", 2}, Leading{"&H10xyz", 16}, Leading{"&O19", 1}}) {
    SCOPED_TRACE(l.text);
    EXPECT_EQ(lenient_number_reading(l.text).fit, NumberFit::leading_part);
    EXPECT_DOUBLE_EQ(lenient_number_reading(l.text).value, l.value);
  }
  for (const char* none : {"", "   ", "abc", ".", "-", "E5", "1e999", "&Hxyz", "&X1"}) {
    SCOPED_TRACE(none);
    EXPECT_EQ(lenient_number_reading(none).fit, NumberFit::none);
    EXPECT_DOUBLE_EQ(lenient_number_reading(none).value, 0);
  }
}

TEST(RoundHalfEven, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(round_half_even_int16(0.5), 0);
  EXPECT_EQ(round_half_even_int16(1.5), 2);
  EXPECT_EQ(round_half_even_int16(2.5), 2);
  EXPECT_EQ(round_half_even_int16(3.5), 4);
  EXPECT_EQ(round_half_even_int16(-0.5), 0);
  EXPECT_EQ(round_half_even_int16(-1.5), -2);
  EXPECT_EQ(round_half_even_int16(-2.5), -2);
}

TEST(RoundHalfEven, OtherValuesGoToTheNearest) {
  EXPECT_EQ(round_half_even_int16(2.4), 2);
  EXPECT_EQ(round_half_even_int16(2.6), 3);
  EXPECT_EQ(round_half_even_int16(-2.6), -3);
  EXPECT_EQ(round_half_even_int16(9), 9);
}

TEST(RoundHalfEven, HeldToSixteenBits) {
  EXPECT_EQ(round_half_even_int16(32767), 32767);
  EXPECT_EQ(round_half_even_int16(32767.4), 32767);
  EXPECT_EQ(round_half_even_int16(40000), 32767);
  EXPECT_EQ(round_half_even_int16(1e300), 32767);
  EXPECT_EQ(round_half_even_int16(-32768), -32768);
  EXPECT_EQ(round_half_even_int16(-40000), -32768);
  EXPECT_EQ(round_half_even_int16(-1e300), -32768);
}

}  // namespace
}  // namespace ordelix
