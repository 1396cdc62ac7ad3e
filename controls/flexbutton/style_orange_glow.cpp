#include "colour_math.h"
#include "drawing_primitives.h"
#include "style_drawing.h"

namespace ordelix {
namespace {

struct Bands {
  OleColor upper_from;
  OleColor upper_to;
  OleColor lower_from;
  OleColor lower_to;
};

constexpr Bands hot{rgb(255, 255, 225), rgb(255, 234, 172), rgb(255, 215, 103), rgb(255, 228, 153)};
constexpr Bands pressed{rgb(255, 193, 88), rgb(255, 175, 81), rgb(255, 143, 70), rgb(255, 211, 95)};
constexpr Bands checked{rgb(255, 217, 169), rgb(255, 192, 111), rgb(255, 171, 63),
                        rgb(255, 225, 117)};

Bands resting(OleColor back) {
  constexpr OleColor white = rgb(255, 255, 255);
  return {average(shift(back, 0.09), white), average(shift(back, 0.07), back), back,
          shift(back, 0.03)};
}

// The upper band takes 1 / 2.7 of the height.
void paint(QImage& surface, const Bands& bands) {
  const int w = surface.width();
  const int h = surface.height();
  const int upper = round_half_even(h / 2.7);
  gradient(surface, 0, 0, w, upper, bands.upper_from, bands.upper_to,
           GradientDirection::TopToBottom);
  gradient(surface, 0, upper, w, round_half_even(h - h / 2.7), bands.lower_from, bands.lower_to,
           GradientDirection::TopToBottom);
}

}  // namespace

void draw_orange_glow(QImage& surface, const ButtonLook& look) {
  if (look.checked) {
    paint(surface, checked);
    if (look.mouse_over) paint(surface, pressed);
    return;
  }
  switch (look.draw_state) {
    case 1:
      paint(surface, hot);
      break;
    case 2:
      paint(surface, pressed);
      break;
    default:
      fill(surface, 0, 0, surface.width(), surface.height(), look.back_color);
      paint(surface, resting(look.back_color));
  }
}

}  // namespace ordelix
