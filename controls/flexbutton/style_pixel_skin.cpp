#include <array>
#include <cmath>

#include "drawing_primitives.h"
#include "style_drawing.h"

namespace ordelix {
namespace {

constexpr int rim_width = 4;
// The corner blocks follow the 18 x 18 rounding of the region.
constexpr int corner_size = 10;
constexpr double corner_radius = 9;

enum Side { Top, Left, Bottom, Right };

// Per side, the rim's rows or columns from the outer edge inwards.
struct Skin {
  std::array<std::array<OleColor, rim_width>, 4> rim;
  OleColor interior;
};

constexpr std::array<Skin, 3> skins{{
    {{{{rgb(122, 122, 128), rgb(250, 250, 252), rgb(242, 241, 244), rgb(236, 235, 238)},
       {rgb(122, 122, 128), rgb(246, 246, 248), rgb(240, 239, 242), rgb(235, 234, 237)},
       {rgb(104, 104, 110), rgb(188, 187, 192), rgb(208, 208, 212), rgb(222, 221, 225)},
       {rgb(104, 104, 110), rgb(198, 197, 202), rgb(214, 213, 218), rgb(226, 225, 229)}}},
     rgb(232, 231, 234)},
    {{{{rgb(92, 120, 168), rgb(255, 255, 255), rgb(226, 236, 252), rgb(234, 241, 252)},
       {rgb(92, 120, 168), rgb(250, 252, 255), rgb(224, 234, 250), rgb(232, 239, 251)},
       {rgb(70, 96, 144), rgb(164, 190, 236), rgb(196, 214, 244), rgb(220, 230, 248)},
       {rgb(70, 96, 144), rgb(178, 200, 240), rgb(204, 220, 246), rgb(226, 235, 250)}}},
     rgb(240, 244, 250)},
    {{{{rgb(84, 84, 92), rgb(160, 159, 166), rgb(186, 185, 192), rgb(202, 201, 207)},
       {rgb(84, 84, 92), rgb(168, 167, 174), rgb(192, 191, 197), rgb(206, 205, 211)},
       {rgb(100, 100, 108), rgb(236, 235, 240), rgb(228, 227, 232), rgb(220, 219, 224)},
       {rgb(100, 100, 108), rgb(230, 229, 234), rgb(224, 223, 228), rgb(218, 217, 222)}}},
     rgb(214, 213, 218)},
}};

// How far in from the rounded outline the pixel (x, y) of a top-left corner block lies: 0 for the
// outermost rim ring, rim_width or more inside the rim, negative outside the region.
int ring_of(int x, int y) {
  const double from_centre = std::hypot(corner_radius - x, corner_radius - y);
  return static_cast<int>(std::floor(corner_radius - from_centre));
}

// A focused or default button in an active window looks hot; a checked one pressed.
int skin_state(const ButtonLook& look) {
  if (look.checked) return 2;
  if (look.parent_active && (look.focused || look.default_look) && look.draw_state == 0) return 1;
  return look.draw_state;
}

void draw_straight_rim(QImage& surface, const Skin& skin) {
  const int w = surface.width();
  const int h = surface.height();
  for (int ring = 0; ring < rim_width; ++ring) {
    line(surface, corner_size, ring, w - corner_size, ring, skin.rim[Top][ring]);
    line(surface, corner_size, h - 1 - ring, w - corner_size, h - 1 - ring, skin.rim[Bottom][ring]);
    line(surface, ring, corner_size, ring, h - corner_size, skin.rim[Left][ring]);
    line(surface, w - 1 - ring, corner_size, w - 1 - ring, h - corner_size, skin.rim[Right][ring]);
  }
}

// Each corner pixel takes the colour of the side it is nearer to.
void draw_corners(QImage& surface, const Skin& skin) {
  const int w = surface.width();
  const int h = surface.height();
  for (int y = 0; y < corner_size; ++y) {
    for (int x = 0; x < corner_size; ++x) {
      const int ring = ring_of(x, y);
      if (ring < 0 || ring >= rim_width) continue;
      const bool across = y <= x;
      const OleColor top = skin.rim[across ? Top : Left][ring];
      const OleColor bottom = skin.rim[across ? Bottom : Left][ring];
      const OleColor top_right = skin.rim[across ? Top : Right][ring];
      const OleColor bottom_right = skin.rim[across ? Bottom : Right][ring];
      set_pixel(surface, x, y, top);
      set_pixel(surface, x, h - 1 - y, bottom);
      set_pixel(surface, w - 1 - x, y, top_right);
      set_pixel(surface, w - 1 - x, h - 1 - y, bottom_right);
    }
  }
}

}  // namespace

void draw_pixel_skin(QImage& surface, const ButtonLook& look) {
  const Skin& skin = skins[static_cast<std::size_t>(skin_state(look))];
  fill(surface, rim_width, rim_width, surface.width() - rim_width, surface.height() - rim_width,
       skin.interior);
  draw_straight_rim(surface, skin);
  draw_corners(surface, skin);
}

}  // namespace ordelix
