#include "sheet_names.h"

#include <set>
#include <string_view>

namespace ordelix {
namespace {

using Name = std::u32string;

// Counted as the spreadsheet counts them, in UTF-16 units.
constexpr std::size_t max_units = 31;

// The code points of `bytes`; a byte that starts no valid UTF-8 sequence
// comes out as U+FFFD.
Name decode_utf8(std::string_view bytes) {
  Name out;
  for (std::size_t i = 0; i < bytes.size();) {
    auto b = static_cast<unsigned char>(bytes[i]);
    int length = b < 0x80 ? 1 : (b >> 5) == 6 ? 2 : (b >> 4) == 14 ? 3 : (b >> 3) == 30 ? 4 : 0;
    char32_t c = length == 1 ? b : length == 0 ? 0 : b & (0x7F >> length);
    bool valid = length > 0 && i + length <= bytes.size();
    for (int k = 1; valid && k < length; ++k) {
      auto next = static_cast<unsigned char>(bytes[i + k]);
      valid = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    constexpr char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
    valid = valid && c >= least[length] && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF);
    out.push_back(valid ? c : U'\uFFFD');
    i += valid ? length : 1;
  }
  return out;
}

std::string encode_utf8(const Name& name) {
  std::string out;
  for (char32_t c : name) {
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c < 0x800) {
      out += static_cast<char>(0xC0 | (c >> 6));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
      out += static_cast<char>(0xE0 | (c >> 12));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
      out += static_cast<char>(0xF0 | (c >> 18));
      out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
      out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
      out += static_cast<char>(0x80 | (c & 0x3F));
    }
  }
  return out;
}

bool allowed(char32_t c) {
  return c >= 0x20 && c != 0x7F && c != U'\uFFFD' && Name(U"[]:*?/\\").find(c) == Name::npos;
}

// The longest start of `name` that fits in `units`.
Name cut(const Name& name, std::size_t units) {
  Name out;
  for (char32_t c : name) {
    std::size_t size = c > 0xFFFF ? 2 : 1;
    if (size > units) break;
    units -= size;
    out.push_back(c);
  }
  return out;
}

Name valid_name(const std::string& file_name) {
  Name name = decode_utf8(file_name);
  for (char32_t& c : name)
    if (!allowed(c)) c = U'_';
  name = cut(name, max_units);
  if (name.empty()) return U"Sheet";
  if (name.front() == U'\'') name.front() = U'_';
  if (name.back() == U'\'') name.back() = U'_';
  return name;
}

Name folded(Name name) {
  for (char32_t& c : name)
    if (c >= U'a' && c <= U'z') c -= U'a' - U'A';
  return name;
}

}  // namespace

std::vector<std::string> sheet_names_for(const std::vector<std::string>& file_names) {
  // The spreadsheet keeps this name for a sheet of its own.
  std::set<Name> taken{U"HISTORY"};
  std::vector<std::string> names;
  for (const std::string& file_name : file_names) {
    Name base = valid_name(file_name);
    Name name = base;
    for (int n = 2; taken.count(folded(name)) > 0; ++n) {
      Name suffix = decode_utf8(" (" + std::to_string(n) + ")");
      name = cut(base, max_units - suffix.size()) + suffix;
    }
    taken.insert(folded(name));
    names.push_back(encode_utf8(name));
  }
  return names;
}

}  // namespace ordelix
