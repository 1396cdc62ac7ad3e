#include "colour_math.h"
#include "drawing_primitives.h"
#include "style_drawing.h"

namespace ordelix {
namespace {

// The glass: an upper and a lower half inside the frame, and a column down each side.
struct Glass {
  OleColor upper_from;
  OleColor upper_to;
  OleColor lower_from;
  OleColor lower_to;
  OleColor left_from;
  OleColor left_to;
  OleColor right_from;
  OleColor right_to;
  OleColor outline;
};

constexpr OleColor palest = rgb(228, 247, 255);
constexpr OleColor pale = rgb(200, 236, 252);
constexpr OleColor light = rgb(150, 210, 240);
constexpr OleColor sky = rgb(150, 200, 230);
constexpr OleColor medium = rgb(110, 175, 215);
constexpr OleColor deep = rgb(80, 150, 200);
constexpr OleColor steel = rgb(60, 127, 177);
constexpr OleColor darkest = rgb(29, 65, 92);

constexpr Glass hot{palest, rgb(190, 230, 250), light, pale, palest, light, palest, light, steel};
constexpr Glass pressed{sky, medium, deep, rgb(120, 185, 225), deep, medium, deep, medium, darkest};

Glass resting(OleColor b) {
  return {shift(b, 0.25), shift(b, 0.05),    shift(b, -0.1), shift(b, 0.1), shift(b, 0.25), b, b,
          shift(b, -0.1), rgb(112, 112, 112)};
}

void draw_glass(QImage& surface, const Glass& glass) {
  const int w = surface.width();
  const int h = surface.height();
  const int half = round_half_even(h / 2.0);
  constexpr auto down = GradientDirection::TopToBottom;
  gradient(surface, 1, 1, w - 2, half - 1, glass.upper_from, glass.upper_to, down);
  gradient(surface, 1, half, w - 2, h - 1 - half, glass.lower_from, glass.lower_to, down);
  gradient(surface, 1, 1, 1, h - 2, glass.left_from, glass.left_to, down);
  gradient(surface, w - 2, 1, 1, h - 2, glass.right_from, glass.right_to, down);
}

void outline(QImage& surface, OleColor colour) {
  frame(surface, 0, 0, surface.width(), surface.height(), colour);
  corner_pixels(surface, shift(colour, 0.25));
}

}  // namespace

void draw_glass_blue(QImage& surface, const ButtonLook& look) {
  const int w = surface.width();
  const int h = surface.height();
  constexpr auto down = GradientDirection::TopToBottom;
  switch (look.draw_state) {
    case 1:
      draw_glass(surface, hot);
      // A glow rising from the bottom and a bright top edge.
      gradient(surface, 2, h - 5, w - 4, 3, pale, palest, down);
      line(surface, 1, 1, w - 1, 1, palest);
      outline(surface, hot.outline);
      break;
    case 2:
      draw_glass(surface, pressed);
      // The shadow of the pressed-in top edge.
      gradient(surface, 1, 1, w - 2, 3, steel, sky, down);
      outline(surface, pressed.outline);
      break;
    default: {
      const Glass glass = resting(look.back_color);
      draw_glass(surface, glass);
      frame(surface, 0, 0, w, h, glass.outline);
      corner_pixels(surface, shift(look.back_color, -0.25));
    }
  }
}

}  // namespace ordelix
