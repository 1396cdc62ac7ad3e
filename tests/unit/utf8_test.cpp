#include <string>

#include <gtest/gtest.h>

#include "base/utf8.h"

namespace ordelix {
namespace {

TEST(Utf8Append, OneToFourBytesByCodePoint) {
  std::string out;
  for (char32_t cp : {U'A', U'\u00B5', U'\u20AC', U'\U0001F600', U'\U0010FFFF'})
    utf8_append(out, cp);
  EXPECT_EQ(out, "A\xC2\xB5\xE2\x82\xAC\xF0\x9F\x98\x80\xF4\x8F\xBF\xBF");
}

TEST(Utf8Take, CharactersInTurnAndNoneForAFault) {
  std::string_view in =
      "\xC2\xB5"
      "A\xE2\x82";
  EXPECT_EQ(utf8_take(in), U'\u00B5');
  EXPECT_EQ(utf8_take(in), U'A');
  EXPECT_EQ(utf8_take(in), std::nullopt) << "cut short";
  EXPECT_TRUE(in.empty());
}

TEST(Utf8Repaired, ValidTextStaysAsItIs) {
  std::string text = "Messung \xC2\xB5g \xC3\xBC \xE6\xB8\xAC\xE5\xAE\x9A \xF0\x9F\x98\x80.PRO";
  EXPECT_EQ(utf8_repaired(text), text);
  EXPECT_EQ(utf8_repaired(std::string("a\0b", 3)), std::string("a\0b", 3));
}

TEST(Utf8Repaired, EachPartThatIsNoCharacterBecomesOneReplacement) {
  const std::string replacement = "\xEF\xBF\xBD";
  EXPECT_EQ(utf8_repaired("run\xB5.PRO"), "run" + replacement + ".PRO");
  EXPECT_EQ(utf8_repaired("\xE2\x82"), replacement) << "a character cut short";
  EXPECT_EQ(utf8_repaired("\xC0\xAF"), replacement + replacement) << "overlong";
  EXPECT_EQ(utf8_repaired("\xED\xA0\x80"), replacement + replacement + replacement)
      << "a surrogate";
  EXPECT_EQ(utf8_repaired("\xE2\x82x"), replacement + "x") << "the byte found wrong starts anew";
}

}  // namespace
}  // namespace ordelix
