#include "colour_math.h"
#include "drawing_primitives.h"
#include "style_drawing.h"

namespace ordelix {
namespace {

// A checked button held down by the mouse shows the pressed look.
int beige_state(const ButtonLook& look) {
  return look.checked && look.mouse_down ? 2 : look.draw_state;
}

void draw_checked(QImage& surface, int state) {
  const int w = surface.width();
  const int h = surface.height();
  fill(surface, 0, 0, w, h, rgb(254, 254, 254));
  frame(surface, 0, 0, w, h, rgb(122, 152, 175));
  corner_pixels(surface, shift(rgb(160, 179, 193), -0.2));
  if (state != 1) return;
  line(surface, w - 2, 2, w - 2, h - 2, rgb(242, 240, 237));
  line(surface, 2, h - 2, w - 2, h - 2, rgb(228, 222, 216));
  line(surface, 1, h - 3, w - 1, h - 3, rgb(239, 236, 232));
  line(surface, 1, h - 4, w - 1, h - 4, rgb(250, 249, 248));
}

void draw_hot(QImage& surface) {
  const int w = surface.width();
  const int h = surface.height();
  const int half = round_half_even(h / 2.0);
  gradient(surface, 0, 0, w, half, rgb(254, 254, 253), rgb(244, 244, 238),
           GradientDirection::TopToBottom);
  gradient(surface, 0, half, w, half, rgb(244, 244, 238), rgb(241, 241, 234),
           GradientDirection::TopToBottom);
  line(surface, w - 2, 2, w - 2, h - 2, rgb(234, 231, 224));
  line(surface, w - 3, 2, w - 3, h - 2, rgb(240, 240, 234));
  line(surface, 0, h - 4, w, h - 4, rgb(238, 237, 229));
  line(surface, 0, h - 3, w, h - 3, rgb(228, 225, 214));
  line(surface, 0, h - 2, w, h - 2, rgb(215, 210, 198));
  frame(surface, 0, 0, w, h, rgb(206, 206, 195));
  corner_pixels(surface, shift(rgb(212, 212, 201), -0.05));
}

void draw_pressed(QImage& surface) {
  const int w = surface.width();
  const int h = surface.height();
  fill(surface, 0, 0, w, h, rgb(229, 228, 221));
  line(surface, 1, 1, w - 2, 1, shift(rgb(220, 218, 209), -0.02));
  line(surface, 1, 2, w - 2, 2, shift(rgb(227, 225, 218), -0.02));
  line(surface, 1, h - 3, w - 2, h - 3, shift(rgb(230, 229, 222), 0.02));
  line(surface, 1, h - 2, w - 2, h - 2, shift(rgb(235, 234, 229), 0.02));
  frame(surface, 0, 0, w, h, rgb(157, 157, 146));
  corner_pixels(surface, shift(rgb(181, 180, 171), -0.2));
}

}  // namespace

void draw_rounded_beige(QImage& surface, const ButtonLook& look) {
  const int state = beige_state(look);
  if (look.checked && state != 2) {
    draw_checked(surface, state);
  } else if (state == 2) {
    draw_pressed(surface);
  } else if (state == 1) {
    draw_hot(surface);
  } else {
    fill(surface, 0, 0, surface.width(), surface.height(), look.back_color);
  }
}

OleColor rounded_beige_caption(const ButtonLook& look) {
  const bool pressed = beige_state(look) == 2;
  return pressed ? rgb(255, 255, 255) : look.button_text;
}

}  // namespace ordelix
