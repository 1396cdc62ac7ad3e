#pragma once

#include <string>
#include <string_view>

namespace ordelix {

// The instrument writes single-byte Windows-1252 text. An editor that saves
// the file again may write it as Unicode instead, and then puts a byte-order
// mark first; nothing else tells the encodings apart.
enum class TextEncoding { single_byte, utf8, utf16_le, utf16_be };

// "UTF-16 (little-endian)" and the like, for the user.
std::string_view text_encoding_name(TextEncoding encoding);

struct SingleByteText {
  std::string bytes;  // Windows-1252
  TextEncoding found = TextEncoding::single_byte;
  // Characters Windows-1252 lacks and parts that decode to no character,
  // each held as one "?".
  long long replaced = 0;
};

// A file's bytes as the instrument would have written its text. Without a
// byte-order mark the bytes are taken as they are.
SingleByteText single_byte_text(std::string file_bytes);

}  // namespace ordelix
