#include "style_shaded_gradient.h"

#include "colour_math.h"
#include "drawing_primitives.h"

namespace ordelix {
namespace {

struct Shades {
  OleColor fill;
  OleColor top_from;
  OleColor top_to;
  OleColor body_from;
  OleColor body_to;
  OleColor frame;
};

Shades shades(OleColor b, int draw_state) {
  constexpr OleColor white = rgb(255, 255, 255);
  switch (draw_state) {
    case 1:
      return {shift(b, 0.05),
              shift(average(shift(b, 0.05), white), 0.15),
              shift(b, 0.05),
              b,
              average(white, shift(b, 0.15)),
              shift(b, -0.28)};
    case 2:
      return {shift(b, -0.03), shift(average(b, white), 0.1),  b,
              shift(b, -0.08), average(white, shift(b, 0.07)), shift(b, -0.36)};
    default:
      return {b,
              shift(average(b, white), 0.1),
              b,
              shift(b, -0.05),
              average(white, shift(b, 0.1)),
              shift(b, -0.33)};
  }
}

}  // namespace

void draw_shaded_gradient(QImage& surface, OleColor back, int draw_state) {
  const int w = surface.width();
  const int h = surface.height();
  const Shades s = shades(back, draw_state);
  fill(surface, 0, 0, w, h, s.fill);
  // Row 5 keeps the fill: the top band is five rows, the body starts at row 6.
  gradient(surface, 0, 0, w, 5, s.top_from, s.top_to, GradientDirection::TopToBottom);
  // The body ramp is H - 1 rows high, so its last five entries fall below the control.
  gradient(surface, 0, 6, w, h - 1, s.body_from, s.body_to, GradientDirection::TopToBottom);
  frame(surface, 0, 0, w, h, s.frame);
  corner_pixels(surface, shift(back, -0.5));
}

}  // namespace ordelix
