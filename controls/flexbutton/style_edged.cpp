#include "button_styles.h"
#include "colour_math.h"
#include "drawing_primitives.h"
#include "style_drawing.h"

namespace ordelix {
namespace {

constexpr OleColor black = rgb(0, 0, 0);
constexpr OleColor white = rgb(255, 255, 255);
constexpr OleColor pressed_rim = rgb(172, 168, 153);

bool thin(int style) {
  return style == button_style::Flat || style == button_style::FlatHotTrack;
}

void draw_checked(QImage& surface, const ButtonLook& look) {
  const int w = surface.width();
  const int h = surface.height();
  fill(surface, 0, 0, w, h, shift(look.back_color, 0.02));
  if (look.style == button_style::FlatHotTrack) return;
  draw_edge(surface, 0, 0, w, h, Edge::Sunken, look.edge);
  if (look.style == button_style::Standard && look.show_focus_rect && look.focused)
    frame(surface, 4, 4, w - 7, h - 7, look.app_workspace);
}

void draw_pressed(QImage& surface, const ButtonLook& look) {
  const int w = surface.width();
  const int h = surface.height();
  if (look.style == button_style::Standard) {
    frame(surface, 1, 1, w - 2, h - 2, pressed_rim);
    frame(surface, 0, 0, w, h, black);
  } else if (thin(look.style)) {
    frame(surface, 0, 0, w, h, white);
    frame(surface, 0, 0, w + 1, h + 1, look.grey_text);
  } else {
    draw_edge(surface, 0, 0, w, h, Edge::Sunken, look.edge);
  }
}

}  // namespace

void draw_edged(QImage& surface, const ButtonLook& look) {
  if (look.checked) {
    draw_checked(surface, look);
    return;
  }
  const int w = surface.width();
  const int h = surface.height();
  fill(surface, 0, 0, w, h, look.back_color);
  if (look.draw_state == 2) {
    draw_pressed(surface, look);
    return;
  }
  // Only the hot look lifts HotTrack3D and FlatHotTrack off the surface.
  const bool flat = look.draw_state == 0 && look.style != button_style::Standard &&
                    look.style != button_style::Flat;
  if (!flat)
    draw_edge(surface, 0, 0, w, h, thin(look.style) ? Edge::ThinRaised : Edge::Raised, look.edge);
  if (look.style == button_style::Standard && (look.focused || look.default_look)) {
    // The focused or default Standard button sits in a black outline.
    draw_edge(surface, 0, 0, w - 1, h - 1, Edge::Raised, look.edge);
    frame(surface, 0, 0, w - 1, h - 1, look.app_workspace);
    frame(surface, 0, 0, w, h, black);
  }
}

}  // namespace ordelix
