#include "text_encoding.h"

#include <optional>
#include <utility>

#include "base/cp1252.h"
#include "base/utf8.h"

namespace ordelix {
namespace {

constexpr std::string_view utf8_mark = "\xEF\xBB\xBF";
constexpr std::string_view utf16_le_mark = "\xFF\xFE";
constexpr std::string_view utf16_be_mark = "\xFE\xFF";

unsigned byte_at(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

char32_t utf16_unit(std::string_view in, bool big_endian) {
  unsigned first = byte_at(in, 0);
  unsigned second = byte_at(in, 1);
  return big_endian ? (first << 8) | second : (second << 8) | first;
}

// As utf8_take, for UTF-16 in either byte order.
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
    return recoded(bytes.substr(utf8_mark.size()), TextEncoding::utf8, utf8_take);
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
