#include "colour_math.h"
#include "drawing_primitives.h"
#include "style_drawing.h"

namespace ordelix {

void draw_grey_gradient(QImage& surface, const ButtonLook& look) {
  const int w = surface.width();
  const int h = surface.height();
  const OleColor b = look.back_color;
  if (look.draw_state == 2)
    gradient(surface, 0, 0, w, h, shift(b, -0.05), shift(b, 0.03), GradientDirection::LeftToRight);
  else
    gradient(surface, 0, 0, w, h, b, shift(b, 0.08), GradientDirection::LeftToRight);
  frame(surface, 0, 0, w, h, rgb(126, 128, 125));
}

}  // namespace ordelix
