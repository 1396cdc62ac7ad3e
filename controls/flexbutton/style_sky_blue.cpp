#include "colour_math.h"
#include "drawing_primitives.h"
#include "style_drawing.h"

namespace ordelix {

void draw_sky_blue(QImage& surface, const ButtonLook& look) {
  const int w = surface.width();
  const int h = surface.height();
  if (!look.enabled || look.draw_state == 0) {
    fill(surface, 0, 0, w, h, look.back_color);
    if (!look.enabled) corner_pixels(surface, look.back_color);
    return;
  }
  constexpr OleColor outline = rgb(97, 158, 202);
  if (look.draw_state == 1) {
    constexpr OleColor lower = rgb(208, 236, 248);
    gradient(surface, 1, 1, w - 2, h - 2, rgb(241, 249, 253), lower,
             GradientDirection::TopToBottom);
    // The lower part of the hot look is one flat colour.
    const int flat_from = round_half_even(h / 1.7);
    fill(surface, 1, flat_from, w - 1, flat_from + h - 2, lower);
  } else {
    gradient(surface, 1, 1, w - 2, h - 2, rgb(176, 222, 241), rgb(219, 241, 249),
             GradientDirection::TopToBottom);
  }
  frame(surface, 0, 0, w, h, outline);
  frame(surface, 1, 1, w - 2, h - 2, rgb(255, 255, 255));
  corner_pixels(surface, shift(outline, 0.3));
}

}  // namespace ordelix
