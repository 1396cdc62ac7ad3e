#pragma once

#include <cstdint>

#include <QColor>
#include <QPalette>

namespace ordelix {

// A colour as the stored format keeps it: low byte red, then green, then blue. With the high bit
// set, the low bytes name a system colour by index instead.
using OleColor = std::uint32_t;

// What a failed translation gives (-1); drawn by its low three bytes like any other value.
inline constexpr OleColor no_colour = 0xFFFFFFFF;

inline constexpr OleColor system_app_workspace = 0x8000000C;
inline constexpr OleColor system_button_face = 0x8000000F;
inline constexpr OleColor system_button_shadow = 0x80000010;
inline constexpr OleColor system_grey_text = 0x80000011;
inline constexpr OleColor system_button_text = 0x80000012;
inline constexpr OleColor system_button_highlight = 0x80000014;
inline constexpr OleColor system_3d_dark_shadow = 0x80000015;
inline constexpr OleColor system_3d_light = 0x80000016;

constexpr OleColor rgb(int red, int green, int blue) {
  return static_cast<OleColor>(red) | static_cast<OleColor>(green) << 8 |
         static_cast<OleColor>(blue) << 16;
}
constexpr int red_of(OleColor colour) {
  return static_cast<int>(colour & 0xFF);
}
constexpr int green_of(OleColor colour) {
  return static_cast<int>(colour >> 8 & 0xFF);
}
constexpr int blue_of(OleColor colour) {
  return static_cast<int>(colour >> 16 & 0xFF);
}

inline QRgb to_qrgb(OleColor colour) {
  return qRgb(red_of(colour), green_of(colour), blue_of(colour));
}
inline OleColor from_qcolor(const QColor& colour) {
  return rgb(colour.red(), colour.green(), colour.blue());
}

// The RGB value of `colour`, system colours taken from `palette`; no_colour for a system index
// without a counterpart or a value that is neither RGB nor a system colour.
OleColor translate_colour(OleColor colour, const QPalette& palette);

}  // namespace ordelix
