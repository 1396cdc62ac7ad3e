#include "text_encoding.h"

#include <optional>
#include <utility>

#include "base/cp1252.h"

namespace ordelix {
namespace {

constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";
constexpr std::string_view utf16_le_mark = "\xFF\xFE";
constexpr std::string_view utf16_be_mark = "\xFE\xFF";

unsigned byte_at(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

// Each take_ function removes the character at the front of `in` and gives
// it, or gives none for a part that decodes to no character. Such a part is
// never longer than what was valid before the fault, so the byte found wrong
// starts the next character, and text after a fault is read as it is.

std::optional<char32_t> take_utf8(std::string_view& in) {
  unsigned lead = byte_at(in, 0);
  std::size_t length = 1;
  char32_t cp = lead;
  // The second byte's range keeps out overlong forms, surrogates and
  // anything beyond U+10FFFF.
  unsigned low = 0x80;
  unsigned high = 0xBF;
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    cp = lead & 0x0F;
    if (lead == 0xE0) low = 0xA0;
    if (lead == 0xED) high = 0x9F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    cp = lead & 0x07;
    if (lead == 0xF0) low = 0x90;
    if (lead == 0xF4) high = 0x8F;
  } else if (lead >= 0x80) {
    in.remove_prefix(1);
    return std::nullopt;
  }
  std::size_t used = 1;
  for (; used < length && used < in.size(); ++used) {
    unsigned next = byte_at(in, used);
    if (next < low || next > high) break;
    cp = (cp << 6) | (next & 0x3F);
    low = 0x80;
    high = 0xBF;
  }
  in.remove_prefix(used);
  if (used < length) return std::nullopt;
  return cp;
}

char32_t utf16_unit(std::string_view in, bool big_endian) {
  unsigned first = byte_at(in, 0);
  unsigned second = byte_at(in, 1);
  return big_endian ? (first << 8) | second : (second << 8) | first;
}

std::optional<char32_t> take_utf16(std::string_view& in, bool big_endian) {
  if (in.size() < 2) {  // the odd last byte of a file cut short
    in.remove_prefix(in.size());
    return std::nullopt;
  }
  char32_t unit = utf16_unit(in, big_endian);
  in.remove_prefix(2);
  if (unit < 0xD800 || unit > 0xDFFF) return unit;
  if (unit >= 0xDC00 || in.size() < 2) return std::nullopt;
  char32_t trail = utf16_unit(in, big_endian);
  if (trail < 0xDC00 || trail > 0xDFFF) return std::nullopt;
  in.remove_prefix(2);
  return 0x10000 + ((unit - 0xD800) << 10) + (trail - 0xDC00);
}

template <class Take>
SingleByteText recoded(std::string_view text, TextEncoding found, Take take) {
  SingleByteText out;
  out.found = found;
  out.bytes.reserve(text.size());
  while (!text.empty()) {
    std::optional<char32_t> cp = take(text);
    std::optional<char> byte = cp ? cp1252_byte_of(*cp) : std::nullopt;
    if (!byte) ++out.replaced;
    out.bytes.push_back(byte.value_or('?'));
  }
  return out;
}

}  // namespace

std::string_view text_encoding_name(TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::single_byte:
      return "Windows-1252";
    case TextEncoding::utf8:
      return "UTF-8";
    case TextEncoding::utf16_le:
      return "UTF-16 (little-endian)";
    case TextEncoding::utf16_be:
      return "UTF-16 (big-endian)";
  }
  return "an unknown encoding";
}

SingleByteText single_byte_text(std::string file_bytes) {
  std::string_view bytes = file_bytes;
  if (bytes.starts_with(utf8_mark))
    return recoded(bytes.substr(utf8_mark.size()), TextEncoding::utf8, take_utf8);
  if (bytes.starts_with(utf16_le_mark))
    return recoded(bytes.substr(utf16_le_mark.size()), TextEncoding::utf16_le,
                   [](std::string_view& in) { return take_utf16(in, false); });
  if (bytes.starts_with(utf16_be_mark))
    return recoded(bytes.substr(utf16_be_mark.size()), TextEncoding::utf16_be,
                   [](std::string_view& in) { return take_utf16(in, true); });
  SingleByteText as_written;
  as_written.bytes = std::move(file_bytes);
  return as_written;
}

}  // namespace ordelix
