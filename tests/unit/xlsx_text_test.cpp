#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "xlsx/xlsx_text.h"

namespace ordelix {
namespace {

bool is_hex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// What a reader that follows the format shows: "_xHHHH_" is the character
// HHHH, in one pass from the left; everything else stands for itself.
std::string as_read(const std::string& stored) {
  std::string shown;
  for (std::size_t i = 0; i < stored.size();) {
    bool escape = i + 6 < stored.size() && stored[i] == '_' && stored[i + 1] == 'x' &&
                  is_hex(stored[i + 2]) && is_hex(stored[i + 3]) && is_hex(stored[i + 4]) &&
                  is_hex(stored[i + 5]) && stored[i + 6] == '_';
    if (!escape) {
      shown += stored[i++];
      continue;
    }
    unsigned long code = std::stoul(stored.substr(i + 2, 4), nullptr, 16);
    EXPECT_LT(code, 0x80u) << "only ASCII is escaped here";
    shown += static_cast<char>(code);
    i += 7;
  }
  return shown;
}

bool holds_control(const std::string& stored) {
  for (char c : stored)
    if (static_cast<unsigned char>(c) < 0x20 && c != '\t' && c != '\n') return true;
  return false;
}

TEST(XlsxEscape, TextThatLooksLikeAnEscapeIsEscapedItself) {
  EXPECT_EQ(xlsx_escape("_x0041_"), "_x005F_x0041_");
  EXPECT_EQ(xlsx_escape("lot _x004a_ b"), "lot _x005F_x004a_ b");
  EXPECT_EQ(xlsx_escape("_x005F_"), "_x005F_x005F_");
  EXPECT_EQ(xlsx_escape("__x0041_"), "__x005F_x0041_");
  // The closing underscore of one may open the next.
  EXPECT_EQ(xlsx_escape("_x0041_x0042_"), "_x005F_x0041_x005F_x0042_");
}

TEST(XlsxEscape, TextThatOpensNoEscapeStaysAsItIs) {
  for (const char* text : {"plain", "_x004G_", "_x0041", "_X0041_", "_x041_", "x0041_", "_", "",
                           "tab\there", "two\nlines", "\xc3\xa9t\xc3\xa9 \xe2\x82\xac"})
    EXPECT_EQ(xlsx_escape(text), text) << text;
}

TEST(XlsxEscape, ControlCharactersAreWrittenAsEscapes) {
  EXPECT_EQ(xlsx_escape("a\x01z"), "a_x0001_z");
  EXPECT_EQ(xlsx_escape("\x1f"), "_x001F_");
  EXPECT_EQ(xlsx_escape("cr\r"), "cr_x000D_");
  EXPECT_EQ(xlsx_escape("esc\x1b[1m"), "esc_x001B_[1m");
  // The escape of the control character would close the one before it.
  EXPECT_EQ(xlsx_escape("_x0041\x01"), "_x005F_x0041_x0001_");
}

TEST(XlsxEscape, EveryReaderShowsTheTextAsWritten) {
  const std::vector<std::string> texts{
      "_x0041_",       "_x0041_x0042_", "_x0041\x02",  "\x03_x0041_\x04",
      "a_x00_b",       "_x005F_x0041_", "___x1234___", "\x01\x02\x03",
      "_x0041_\x01_x", "_xABCD_\r",     "\x1f_x001F_", "mixed \xc3\xa9 _x00e9_"};
  for (const std::string& text : texts) {
    std::string stored = xlsx_escape(text);
    EXPECT_EQ(as_read(stored), text) << stored;
    EXPECT_FALSE(holds_control(stored)) << stored;
  }
}

}  // namespace
}  // namespace ordelix
