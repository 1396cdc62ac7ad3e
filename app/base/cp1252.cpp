#include "cp1252.h"

#include <algorithm>
#include <array>
#include <cstdint>

#include "utf8.h"

namespace ordelix {
namespace {

// Code points of bytes 0x80 to 0x9F; the five unassigned bytes map to themselves.
constexpr std::array<std::uint16_t, 32> high_controls{
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

}  // namespace

std::string cp1252_to_utf8(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size());
  for (char c : bytes) {
    auto b = static_cast<unsigned char>(c);
    if (b == 0)
      utf8_append(out, 0xFFFD);
    else if (b >= 0x80 && b <= 0x9F)
      utf8_append(out, high_controls[b - 0x80]);
    else
      utf8_append(out, b);
  }
  return out;
}

std::optional<char> cp1252_byte_of(char32_t cp) {
  if (cp < 0x80 || (cp >= 0xA0 && cp <= 0xFF)) return static_cast<char>(cp);
  auto at = std::find(high_controls.begin(), high_controls.end(), cp);
  if (at == high_controls.end()) return std::nullopt;
  return static_cast<char>(0x80 + (at - high_controls.begin()));
}

}  // namespace ordelix
