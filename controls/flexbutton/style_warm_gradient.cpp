#include "colour_math.h"
#include "drawing_primitives.h"
#include "style_drawing.h"

namespace ordelix {
namespace {

constexpr OleColor pressed_from = rgb(254, 145, 78);
constexpr OleColor pressed_to = rgb(255, 211, 142);

void paint_outlined(QImage& surface, OleColor from, OleColor to) {
  const int w = surface.width();
  const int h = surface.height();
  gradient(surface, 0, 0, w, h, from, to, GradientDirection::TopToBottom);
  frame(surface, 0, 0, w, h, rgb(0, 0, 128));
}

}  // namespace

void draw_warm_gradient(QImage& surface, const ButtonLook& look) {
  if (look.checked) {
    if (look.mouse_over)
      paint_outlined(surface, pressed_from, pressed_to);
    else
      paint_outlined(surface, rgb(255, 213, 140), rgb(255, 173, 85));
    return;
  }
  if (look.draw_state == 1) {
    paint_outlined(surface, rgb(255, 244, 204), rgb(255, 208, 145));
    return;
  }
  if (look.draw_state == 2) {
    paint_outlined(surface, pressed_from, pressed_to);
    return;
  }
  // The lower block is one row taller than what is left, so its last ramp entry falls below the
  // control.
  const int w = surface.width();
  const int h = surface.height();
  const OleColor b = look.back_color;
  const int half = round_half_even(h / 2.0);
  gradient(surface, 0, 0, w, half, shift(b, 0.05), b, GradientDirection::TopToBottom);
  gradient(surface, 0, half, w, round_half_even(h / 2.0 + 1), shift(b, -0.01), shift(b, -0.13),
           GradientDirection::TopToBottom);
}

}  // namespace ordelix
