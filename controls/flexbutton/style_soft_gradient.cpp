#include "colour_math.h"
#include "drawing_primitives.h"
#include "style_drawing.h"

namespace ordelix {
namespace {

// Shifts of BackColor at the top and bottom of each half.
struct Halves {
  double upper_from;
  double upper_to;
  double lower_from;
  double lower_to;
};

// Hot is lighter; pressed turns the shading upside down.
constexpr Halves halves[] = {
    {0.25, 0.1, 0.0, -0.1},
    {0.4, 0.15, 0.05, -0.05},
    {-0.15, -0.05, 0.0, 0.1},
};

}  // namespace

void draw_soft_gradient(QImage& surface, const ButtonLook& look) {
  const int w = surface.width();
  const int h = surface.height();
  const OleColor b = look.back_color;
  const Halves& shade = halves[look.draw_state == 1 ? 1 : look.draw_state == 2 ? 2 : 0];
  const int upper = round_half_even(h / 2.0);
  gradient(surface, 0, 0, w, upper, shift(b, shade.upper_from), shift(b, shade.upper_to),
           GradientDirection::TopToBottom);
  gradient(surface, 0, upper, w, h - upper, shift(b, shade.lower_from), shift(b, shade.lower_to),
           GradientDirection::TopToBottom);
  line(surface, 2, h - 1, w - 2, h - 1, shift(b, -0.25));
  corner_pixels(surface, shift(b, -0.2));
}

}  // namespace ordelix
