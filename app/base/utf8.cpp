#include "utf8.h"

namespace ordelix {
namespace {

constexpr char32_t replacement_character = 0xFFFD;

unsigned byte_at(std::string_view bytes, std::size_t at) {
  return static_cast<unsigned char>(bytes[at]);
}

}  // namespace

void utf8_append(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out.push_back(static_cast<char>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
  }
}

std::optional<char32_t> utf8_take(std::string_view& in) {
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

std::string utf8_repaired(std::string_view bytes) {
  std::string text;
  text.reserve(bytes.size());
  while (!bytes.empty()) utf8_append(text, utf8_take(bytes).value_or(replacement_character));
  return text;
}

}  // namespace ordelix
