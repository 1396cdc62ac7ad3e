#include <string>

#include <gtest/gtest.h>

#include "base/printable_name.h"

namespace ordelix {
namespace {

TEST(PrintableName, OrdinaryNamesStayAsTheyAre) {
  for (const char* name : {"run1.PRO", "/data/2024 runs/BSA-std.PRO",
                           "Gr\xc3\xb6\xc3\x9f"
                           "e.NUC",
                           "\xe2\x82\xac.CON", "\xf0\x9f\xa7\xaa.WSC", "a~b!c$d'e\"f"})
    EXPECT_EQ(printable_name(name), name);
}

TEST(PrintableName, ControlCharactersBecomeEscapes) {
  EXPECT_EQ(printable_name("two\nlines.PRO"), "two\\nlines.PRO");
  EXPECT_EQ(printable_name("tab\there"), "tab\\there");
  EXPECT_EQ(printable_name("cr\r"), "cr\\r");
  EXPECT_EQ(printable_name("\x1b[31mred"), "\\x1b[31mred");
  EXPECT_EQ(printable_name("del\x7f"), "del\\x7f");
  EXPECT_EQ(printable_name(std::string("nul\0!", 5)), "nul\\x00!");
  // C1 controls, which some terminals act on: U+009B is a CSI.
  EXPECT_EQ(printable_name("\xc2\x9b"
                           "2J"),
            "\\xc2\\x9b2J");
  EXPECT_EQ(printable_name("\xc2\x85"), "\\xc2\\x85");
}

TEST(PrintableName, BytesThatAreNotUtf8BecomeEscapes) {
  EXPECT_EQ(printable_name("caf\xe9.PRO"), "caf\\xe9.PRO");  // Latin-1
  EXPECT_EQ(printable_name("\x9b"), "\\x9b");
  EXPECT_EQ(printable_name("\xc0\xaf"), "\\xc0\\xaf");                    // overlong '/'
  EXPECT_EQ(printable_name("\xed\xa0\x80"), "\\xed\\xa0\\x80");           // a surrogate
  EXPECT_EQ(printable_name("\xe2\x82"), "\\xe2\\x82");                    // cut short
  EXPECT_EQ(printable_name("\xf4\x90\x80\x80"), "\\xf4\\x90\\x80\\x80");  // beyond U+10FFFF
}

#ifdef _WIN32
TEST(PrintableName, BackslashSeparatesFoldersOnWindows) {
  EXPECT_EQ(printable_name("C:\\runs\\new.PRO"), "C:\\runs\\new.PRO");
  EXPECT_NE(printable_name("a\\nb"), printable_name("a\nb"));
}
#else
TEST(PrintableName, BackslashIsEscapedSoEveryNameReadsBack) {
  EXPECT_EQ(printable_name("a\\nb"), "a\\\\nb");
  EXPECT_NE(printable_name("a\\nb"), printable_name("a\nb"));
}
#endif

}  // namespace
}  // namespace ordelix
