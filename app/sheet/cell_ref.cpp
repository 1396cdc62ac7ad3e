#include "cell_ref.h"

#include <cctype>
#include <charconv>
#include <utility>

namespace ordelix {
namespace {

constexpr int max_rows = 1048576;
constexpr int max_cols = 16384;

struct Corner {
  int row = 0;  // 0: whole column
  int col = 0;
};

std::optional<Corner> corner_parse(std::string_view s) {
  Corner c;
  std::size_t i = 0;
  for (; i < s.size() && std::isalpha(static_cast<unsigned char>(s[i])); ++i) {
    c.col = c.col * 26 + (std::toupper(static_cast<unsigned char>(s[i])) - 'A' + 1);
    if (c.col > max_cols) return std::nullopt;
  }
  if (i == 0) return std::nullopt;
  if (i < s.size()) {
    auto [end, ec] = std::from_chars(s.data() + i, s.data() + s.size(), c.row);
    if (ec != std::errc() || end != s.data() + s.size() || c.row < 1 || c.row > max_rows)
      return std::nullopt;
  }
  return c;
}

}  // namespace

std::optional<CellRange> cell_range_parse(std::string_view a1) {
  std::size_t colon = a1.find(':');
  auto first = corner_parse(a1.substr(0, colon));
  auto last = colon == std::string_view::npos ? first : corner_parse(a1.substr(colon + 1));
  if (!first || !last || (first->row == 0) != (last->row == 0)) return std::nullopt;
  CellRange r{first->row, first->col, last->row, last->col};
  if (first->row == 0) {
    r.first_row = 1;
    r.last_row = max_rows;
  }
  if (r.first_row > r.last_row) std::swap(r.first_row, r.last_row);
  if (r.first_col > r.last_col) std::swap(r.first_col, r.last_col);
  return r;
}

std::string column_letters(int col) {
  std::string letters;
  for (; col > 0; col = (col - 1) / 26)
    letters.insert(letters.begin(), static_cast<char>('A' + (col - 1) % 26));
  return letters;
}

std::string cell_name(int row, int col) {
  return column_letters(col) + std::to_string(row);
}

}  // namespace ordelix
