#include "xlsx_text.h"

namespace ordelix {
namespace {

bool is_escaped_control(char c) {
  auto u = static_cast<unsigned char>(c);
  return u < 0x20 && c != '\t' && c != '\n';
}

bool is_hex(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

// Whether the underscore at `i` would open "_xHHHH_" once written; a control
// character after the four digits is written starting with an underscore.
bool opens_escape(std::string_view text, std::size_t i) {
  if (i + 6 >= text.size() || text[i + 1] != 'x') return false;
  for (std::size_t k = i + 2; k < i + 6; ++k)
    if (!is_hex(text[k])) return false;
  return text[i + 6] == '_' || is_escaped_control(text[i + 6]);
}

void append_escape(std::string& out, unsigned char code) {
  constexpr char digits[] = "0123456789ABCDEF";
  out += "_x00";
  out += digits[code >> 4];
  out += digits[code & 0xF];
  out += '_';
}

}  // namespace

std::string xlsx_escape(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    char c = utf8[i];
    if (is_escaped_control(c) || (c == '_' && opens_escape(utf8, i)))
      append_escape(out, static_cast<unsigned char>(c));
    else
      out += c;
  }
  return out;
}

}  // namespace ordelix
