// Files an editor saved as Unicode, written here byte by byte, and the
// Windows-1252 bytes the instrument would have written for the same text.

#include <string>

#include <gtest/gtest.h>

#include "exportfile/text_encoding.h"

namespace ordelix {
namespace {

using namespace std::string_literals;

// Marks, kept apart from the text after them: a hex escape would take in
// the digit or letter that follows.
const std::string utf8_mark = "\xEF\xBB\xBF";
const std::string le_mark = "\xFF\xFE";
const std::string be_mark = "\xFE\xFF";

void expect_text(const std::string& file, TextEncoding encoding, const std::string& bytes,
                 long replaced) {
  SingleByteText text = single_byte_text(file);
  EXPECT_EQ(text.found, encoding);
  EXPECT_EQ(text.bytes, bytes);
  EXPECT_EQ(text.replaced, replaced);
}

TEST(UnmarkedText, IsTakenAsItIs) {
  for (const std::string& file : {
           ""s, "2\r\nCAF\xC9-\x80\r\n"s,
           "\xEF\xBB"s,           // a mark cut short
           "\xFE"s,               // one byte of a mark
           "2\r\n\xEF\xBB\xBF"s,  // a mark that is not first
           "2\0\r\0\n\0"s,        // UTF-16 without a mark
           "\xC3\xA9\r\n"s,       // UTF-8 without a mark
       }) {
    SCOPED_TRACE(testing::PrintToString(file));
    expect_text(file, TextEncoding::single_byte, file, 0);
  }
}

TEST(Utf8Text, LosesItsMarkAndBecomesWindows1252) {
  expect_text(utf8_mark + "2\r\nCAF\xC3\x89-\xE2\x82\xAC\r\n\xC2\xB5g/ml\r\n", TextEncoding::utf8,
              "2\r\nCAF\xC9-\x80\r\n\xB5g/ml\r\n", 0);
  expect_text(utf8_mark, TextEncoding::utf8, "", 0);
  // Only the first mark is one; a second is a character Windows-1252 lacks.
  expect_text(utf8_mark + utf8_mark + "k", TextEncoding::utf8, "?k", 1);
}

TEST(Utf8Text, CharactersWindows1252LacksAreQuestionMarks) {
  // Alpha (2 bytes), a check mark (3 bytes), an emoji (4 bytes): one "?" each.
  expect_text(utf8_mark + "g\xCE\xB1h\xE2\x9C\x93k\xF0\x9F\x98\x80m", TextEncoding::utf8, "g?h?k?m",
              3);
  // U+0080 is a control, not the euro sign that byte 0x80 holds.
  expect_text(utf8_mark + "\xC2\x80", TextEncoding::utf8, "?", 1);
}

// One "?" for each longest start of a valid sequence, and one for each byte
// that starts none; the byte that breaks a sequence starts the next.
TEST(Utf8Text, WhatDoesNotDecodeIsAQuestionMarkAndTheRestIsRead) {
  struct Case {
    std::string utf8;
    std::string bytes;
    long replaced;
  };
  for (const Case& c : {
           Case{"g\x80h", "g?h", 1},             // a continuation byte alone
           Case{"g\xC3h", "g?h", 1},             // a lead byte without its continuation
           Case{"g\xE2\x82h", "g?h", 1},         // three bytes cut to two
           Case{"\xF0\x9F\x98G", "?G", 1},       // four bytes cut to three
           Case{"\xC3\xC3\xA9", "?\xE9", 1},     // a lead byte where a continuation belongs
           Case{"k\xE2\x82", "k?", 1},           // the file ends inside a character
           Case{"\xC0\xAF", "??", 2},            // overlong "/": C0 starts nothing
           Case{"\xE0\x80\xAF", "???", 3},       // overlong "/" in three bytes
           Case{"\xED\xA0\x80", "???", 3},       // a surrogate, U+D800
           Case{"\xF4\x90\x80\x80", "????", 4},  // beyond U+10FFFF
           Case{"\xF5\xFF\xFE", "???", 3},       // bytes UTF-8 never uses
       }) {
    SCOPED_TRACE(testing::PrintToString(c.utf8));
    expect_text(utf8_mark + c.utf8, TextEncoding::utf8, c.bytes, c.replaced);
  }
}

TEST(Utf16Text, LosesItsMarkAndBecomesWindows1252) {
  expect_text(le_mark + "2\0\r\0\n\0C\0A\0F\0\xC9\0-\0\xAC\x20\r\0\n\0\xB5\0g\0"s,
              TextEncoding::utf16_le, "2\r\nCAF\xC9-\x80\r\n\xB5g", 0);
  expect_text(be_mark + "\0k\0\r\0\n\x20\xAC\x01\x78\0\xFF"s, TextEncoding::utf16_be,
              "k\r\n\x80\x9F\xFF", 0);
}

TEST(Utf16Text, CharactersWindows1252LacksAreQuestionMarks) {
  // Alpha, then an emoji as a surrogate pair: one "?" for the pair.
  expect_text(le_mark + "\xB1\x03g\0\x3D\xD8\x00\xDEh\0"s, TextEncoding::utf16_le, "?g?h", 2);
  expect_text(be_mark + "\x03\xB1\0g\xD8\x3D\xDE\x00\0h"s, TextEncoding::utf16_be, "?g?h", 2);
  // U+0080 is a control, not the euro sign of byte 80; a second mark is a
  // character Windows-1252 lacks.
  expect_text(le_mark + "\x80\0\xFF\xFE"s, TextEncoding::utf16_le, "??", 2);
}

TEST(Utf16Text, WhatDoesNotDecodeIsAQuestionMarkAndTheRestIsRead) {
  struct Case {
    std::string utf16le;
    std::string bytes;
    long replaced;
  };
  for (const Case& c : {
           Case{"k\0\r"s, "k?", 1},                     // an odd last byte
           Case{"\x3D\xD8G\0"s, "?G", 1},               // a high surrogate before a character
           Case{"G\0\x3D\xD8"s, "G?", 1},               // a high surrogate at the end
           Case{"\x00\xDEG\0"s, "?G", 1},               // a low surrogate alone
           Case{"\x3D\xD8\x3D\xD8\x00\xDE"s, "??", 2},  // a high surrogate, then a pair
           Case{"\x3D\xD8G"s, "??", 2},                 // a high surrogate, then an odd byte
       }) {
    SCOPED_TRACE(testing::PrintToString(c.utf16le));
    expect_text(le_mark + c.utf16le, TextEncoding::utf16_le, c.bytes, c.replaced);
  }
  expect_text(be_mark + "\xDC\x00\0G\0"s, TextEncoding::utf16_be, "?G?", 2);
}

TEST(Utf16Text, NulIsACharacterLikeAnyOther) {
  expect_text(le_mark + "\0\0k\0"s, TextEncoding::utf16_le, "\0k"s, 0);
}

}  // namespace
}  // namespace ordelix
