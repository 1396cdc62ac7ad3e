#include "printable_name.h"

#include <cstdint>

namespace ordelix {
namespace {

// On Windows the backslash separates folders and no name holds one.
#ifdef _WIN32
constexpr bool escape_backslash = false;
#else
constexpr bool escape_backslash = true;
#endif

void append_escape(std::string& out, unsigned char byte) {
  constexpr char digits[] = "0123456789abcdef";
  switch (byte) {
    case '\n':
      out += "\\n";
      return;
    case '\t':
      out += "\\t";
      return;
    case '\r':
      out += "\\r";
      return;
    case '\\':
      out += "\\\\";
      return;
    default:
      out += "\\x";
      out += digits[byte >> 4];
      out += digits[byte & 0xF];
  }
}

// Length of the well-formed UTF-8 sequence at the start of `s`, 0 if none.
std::size_t utf8_length(std::string_view s, std::uint32_t& code_point) {
  auto lead = static_cast<unsigned char>(s[0]);
  std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || s.size() < length) return 0;
  code_point = lead & (0x7F >> length);
  for (std::size_t i = 1; i < length; ++i) {
    auto next = static_cast<unsigned char>(s[i]);
    if ((next & 0xC0) != 0x80) return 0;
    code_point = (code_point << 6) | (next & 0x3F);
  }
  constexpr std::uint32_t shortest[] = {0, 0, 0x80, 0x800, 0x10000};
  bool overlong = code_point < shortest[length];
  bool surrogate = code_point >= 0xD800 && code_point <= 0xDFFF;
  return overlong || surrogate || code_point > 0x10FFFF ? 0 : length;
}

}  // namespace

std::string printable_name(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  for (std::size_t i = 0; i < name.size();) {
    auto byte = static_cast<unsigned char>(name[i]);
    if (byte < 0x80) {
      if (byte < 0x20 || byte == 0x7F || (byte == '\\' && escape_backslash))
        append_escape(out, byte);
      else
        out += name[i];
      ++i;
      continue;
    }
    std::uint32_t code_point = 0;
    std::size_t length = utf8_length(name.substr(i), code_point);
    if (length == 0 || (code_point >= 0x80 && code_point <= 0x9F)) {
      // Not UTF-8, or a C1 control: byte by byte.
      std::size_t count = length == 0 ? 1 : length;
      for (std::size_t k = 0; k < count; ++k)
        append_escape(out, static_cast<unsigned char>(name[i + k]));
      i += count;
      continue;
    }
    out.append(name.substr(i, length));
    i += length;
  }
  return out;
}

}  // namespace ordelix
