#include "colour_math.h"
#include "drawing_primitives.h"
#include "style_drawing.h"

namespace ordelix {
namespace {

constexpr OleColor outline = rgb(0, 60, 116);
constexpr OleColor corner = rgb(105, 130, 238);

struct Rim {
  OleColor upper;
  OleColor lower;
};

constexpr Rim hot_rim{rgb(253, 216, 137), rgb(248, 179, 48)};
constexpr Rim focus_rim{rgb(206, 231, 255), rgb(137, 173, 228)};

// One line per row, its shift of BackColor running from `top` on row 1 to `bottom` on row H - 2.
void draw_body(QImage& surface, OleColor back, double top, double bottom) {
  const int w = surface.width();
  const int h = surface.height();
  const int last = h - 2;
  for (int y = 1; y <= last; ++y) {
    const double along = last > 1 ? static_cast<double>(y - 1) / (last - 1) : 0.0;
    line(surface, 1, y, w - 1, y, shift(back, top + (bottom - top) * along));
  }
}

void draw_rim(QImage& surface, const Rim& rim) {
  const int w = surface.width();
  const int h = surface.height();
  frame(surface, 1, 1, w - 2, h - 2, rim.upper);
  line(surface, 1, h - 2, w - 1, h - 2, rim.lower);
  line(surface, 2, h - 3, w - 2, h - 3, rim.lower);
}

}  // namespace

void draw_rounded_blue(QImage& surface, const ButtonLook& look) {
  const int w = surface.width();
  const int h = surface.height();
  const OleColor b = look.back_color;
  if (look.draw_state == 2) {
    draw_body(surface, b, -0.16, 0.06);
  } else {
    draw_body(surface, b, 0.1, -0.06);
    line(surface, 1, 1, w - 1, 1, shift(b, 0.3));
    line(surface, 1, h - 3, w - 1, h - 3, shift(b, -0.1));
    line(surface, 1, h - 2, w - 1, h - 2, shift(b, -0.16));
    if (look.draw_state == 1)
      draw_rim(surface, hot_rim);
    else if (look.focused)
      draw_rim(surface, focus_rim);
  }
  frame(surface, 0, 0, w, h, outline);
  corner_pixels(surface, corner);
}

}  // namespace ordelix
