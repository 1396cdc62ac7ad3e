#include "colour_math.h"
#include "drawing_primitives.h"
#include "style_drawing.h"

namespace ordelix {
namespace {

constexpr OleColor hot_outline = rgb(49, 106, 197);
constexpr OleColor pressed_fill = rgb(152, 181, 226);

void draw_resting(QImage& surface, OleColor back) {
  gradient(surface, 0, 0, surface.width(), surface.height(),
           average(shift(back, 0.26), rgb(255, 255, 255)), back, GradientDirection::TopToBottom);
}

void fill_framed(QImage& surface, OleColor inside, OleColor outline) {
  const int w = surface.width();
  const int h = surface.height();
  fill(surface, 0, 0, w, h, inside);
  frame(surface, 0, 0, w, h, outline);
}

}  // namespace

void draw_hover_frame(QImage& surface, const ButtonLook& look) {
  if (!look.enabled) draw_resting(surface, look.back_color);
  if (look.checked) {
    fill_framed(surface, rgb(225, 230, 232), shift(rgb(75, 75, 111), 0.05));
    if (look.draw_state == 1) fill_framed(surface, pressed_fill, hot_outline);
    return;
  }
  switch (look.draw_state) {
    case 1:
      fill_framed(surface, rgb(193, 210, 238), hot_outline);
      break;
    case 2:
      fill_framed(surface, pressed_fill, rgb(75, 75, 111));
      break;
    default:
      draw_resting(surface, look.back_color);
  }
}

}  // namespace ordelix
