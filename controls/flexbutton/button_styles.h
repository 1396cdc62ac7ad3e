#pragma once

#include <optional>

#include "ole_colour.h"

namespace ordelix {

namespace button_style {
enum : int {
  Standard = 0,
  Flat = 1,
  RoundedBlue = 2,
  RoundedBeige = 3,
  GlassBlue = 4,
  DropShadow = 5,
  SoftGradient = 6,
  OrangeGlow = 7,
  SkyBlue = 8,
  HoverFrame = 9,
  ShadedGradient = 10,
  HotTrack3D = 11,
  FlatHotTrack = 12,
  WarmGradient = 13,
  PixelSkin = 14,
  GreyGradient = 15,
};
}  // namespace button_style

// What choosing a style resets; colours may be system colours, translated when applied.
struct StyleDefaults {
  OleColor back_color;
  OleColor fore_color;
  bool show_focus_rect;
};

// None for values outside 0..15.
std::optional<StyleDefaults> style_defaults(int style);

// Whether a checked check-box button of this style is drawn in the pressed state; styles 0, 3
// and 9 have their own checked look.
bool checked_draws_pressed(int style);

// Whether the style shows the host window's background around its body instead of the button
// face: RoundedBeige, DropShadow and PixelSkin.
bool shows_ambient_background(int style);

}  // namespace ordelix
