#include "button_styles.h"

#include <array>

#include "colour_math.h"

namespace ordelix {

std::optional<StyleDefaults> style_defaults(int style) {
  constexpr OleColor face = system_button_face;
  constexpr OleColor text = system_button_text;
  static const std::array<StyleDefaults, 16> table{{
      {face, text, true},                    // Standard
      {face, text, true},                    // Flat
      {15199212, text, false},               // RoundedBlue
      {face, text, false},                   // RoundedBeige
      {shift(13948116, 0.06), text, false},  // GlassBlue
      {11169024, 16777215, true},            // DropShadow
      {14800597, text, true},                // SoftGradient
      {16765357, text, false},               // OrangeGlow
      {face, text, false},                   // SkyBlue
      {face, text, false},                   // HoverFrame
      {16765357, text, false},               // ShadedGradient
      {face, text, false},                   // HotTrack3D
      {face, text, false},                   // FlatHotTrack
      {16572874, text, false},               // WarmGradient
      {13684944, text, false},               // PixelSkin
      {15125159, text, true},                // GreyGradient
  }};
  if (style < 0 || style >= static_cast<int>(table.size())) return std::nullopt;
  return table[static_cast<std::size_t>(style)];
}

bool checked_draws_pressed(int style) {
  return style != button_style::Standard && style != button_style::RoundedBeige &&
         style != button_style::HoverFrame;
}

bool shows_ambient_background(int style) {
  return style == button_style::RoundedBeige || style == button_style::DropShadow ||
         style == button_style::PixelSkin;
}

}  // namespace ordelix
