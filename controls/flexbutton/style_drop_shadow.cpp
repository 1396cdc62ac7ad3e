#include "colour_math.h"
#include "drawing_primitives.h"
#include "style_drawing.h"

namespace ordelix {

void draw_drop_shadow(QImage& surface, const ButtonLook& look) {
  const int w = surface.width();
  const int h = surface.height();
  const OleColor body = look.enabled ? look.back_color : shift(look.back_color, 0.1);
  if (look.draw_state == 2) {
    // Pressed, the body moves onto its shadow.
    fill(surface, 3, 3, w, h, body);
    frame(surface, 3, 3, w - 3, h - 3, shift(body, 0.3));
    return;
  }
  frame(surface, 6, 6, w - 9, h - 9, rgb(128, 128, 128));
  frame(surface, 5, 5, w - 7, h - 7, rgb(160, 160, 160));
  frame(surface, 4, 4, w - 5, h - 5, rgb(192, 192, 192));
  fill(surface, 0, 0, w - 5, h - 5, body);
  frame(surface, 0, 0, w - 4, h - 4, shift(body, 0.3));
}

}  // namespace ordelix
