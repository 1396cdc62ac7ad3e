#include "xlsx_formats.h"

namespace ordelix {
namespace {

constexpr const char* date_time_format = "yyyy/m/d h:mm:ss";

}  // namespace

lxw_format* Formats::get(const std::optional<Font>& font, bool left, bool date_time) {
  if (!font && !left && !date_time) return nullptr;
  Key key{font.has_value(),
          font.value_or(Font{}).size,
          font.value_or(Font{}).bold,
          font.value_or(Font{}).italic,
          font.value_or(Font{}).color_index,
          left,
          date_time};
  auto [it, inserted] = formats_.try_emplace(key, nullptr);
  if (inserted) it->second = make(font, left, date_time);
  return it->second;
}

lxw_format* Formats::make(const std::optional<Font>& font, bool left, bool date_time) {
  lxw_format* f = workbook_add_format(workbook_);
  if (font) {
    format_set_font_size(f, font->size);
    if (font->bold) format_set_bold(f);
    if (font->italic) format_set_italic(f);
    if (font->color_index == 1) format_set_font_color(f, LXW_COLOR_BLACK);
  }
  if (left) format_set_align(f, LXW_ALIGN_LEFT);
  if (date_time) format_set_num_format(f, date_time_format);
  return f;
}

}  // namespace ordelix
