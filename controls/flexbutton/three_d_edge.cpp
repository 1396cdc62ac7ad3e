#include "three_d_edge.h"

#include "drawing_primitives.h"

namespace ordelix {
namespace {

void ring(QImage& surface, int left, int top, int right, int bottom, OleColor upper_left,
          OleColor lower_right) {
  fill(surface, left, top, right - 1, top + 1, upper_left);
  fill(surface, left, top, left + 1, bottom - 1, upper_left);
  fill(surface, left, bottom - 1, right, bottom, lower_right);
  fill(surface, right - 1, top, right, bottom, lower_right);
}

}  // namespace

void draw_edge(QImage& surface, int left, int top, int right, int bottom, Edge edge,
               const EdgeColours& colours) {
  switch (edge) {
    case Edge::Raised:
      ring(surface, left, top, right, bottom, colours.light, colours.dark_shadow);
      ring(surface, left + 1, top + 1, right - 1, bottom - 1, colours.highlight, colours.shadow);
      break;
    case Edge::ThinRaised:
      ring(surface, left, top, right, bottom, colours.highlight, colours.shadow);
      break;
    case Edge::Sunken:
      ring(surface, left, top, right, bottom, colours.shadow, colours.highlight);
      ring(surface, left + 1, top + 1, right - 1, bottom - 1, colours.dark_shadow, colours.light);
      break;
  }
}

}  // namespace ordelix
