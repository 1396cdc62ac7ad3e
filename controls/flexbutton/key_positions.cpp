#include "key_positions.h"

#include <array>

namespace ordelix {
namespace {

// Each row of the typing block from its first key's evdev number, as the US layout labels it.
struct KeyRow {
  quint32 first;
  std::array<qint16, 13> codes;  // 0 ends a shorter row
};

constexpr std::array<KeyRow, 5> rows{{
    {2, {'1', '2', '3', '4', '5', '6', '7', '8', '9', '0', 189, 187, 0}},
    {16, {'Q', 'W', 'E', 'R', 'T', 'Y', 'U', 'I', 'O', 'P', 219, 221, 0}},
    {30, {'A', 'S', 'D', 'F', 'G', 'H', 'J', 'K', 'L', 186, 222, 192, 0}},
    {43, {220, 'Z', 'X', 'C', 'V', 'B', 'N', 'M', 188, 190, 191, 0, 0}},
    {86, {226, 0}},  // the extra key beside left Shift on ISO keyboards
}};

constexpr quint32 evdev_offset = 8;

}  // namespace

qint16 key_code_at_position(quint32 key_number) {
  if (key_number < evdev_offset) return 0;
  const quint32 evdev = key_number - evdev_offset;
  for (const KeyRow& row : rows) {
    if (evdev < row.first) continue;
    const quint32 at = evdev - row.first;
    if (at < row.codes.size() && row.codes[at] != 0) return row.codes[at];
  }
  return 0;
}

}  // namespace ordelix
