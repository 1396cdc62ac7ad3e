#include "window_region.h"

#include "button_styles.h"

namespace ordelix {
namespace {

// Pixels cut from the start of `row` (counted from the nearer edge) in an rx x ry corner: those
// whose integer position lies outside the ellipse centred at (rx, ry), so that a 4 x 4 corner
// loses three pixels and the corner pixel at (1, 1) closes the outline diagonally.
int corner_inset(int row, double rx, double ry) {
  int inset = 0;
  const double dy = (row - ry) / ry;
  while (inset < rx) {
    const double dx = (inset - rx) / rx;
    if (dx * dx + dy * dy <= 1.0) break;
    ++inset;
  }
  return inset;
}

}  // namespace

QRegion window_region(int style, QSize size) {
  switch (style) {
    case button_style::RoundedBlue:
    case button_style::GlassBlue:
    case button_style::SoftGradient:
    case button_style::SkyBlue:
      return rounded_region(size, 3, 3);
    case button_style::RoundedBeige:
    case button_style::ShadedGradient:
      return rounded_region(size, 4, 4);
    case button_style::PixelSkin:
      return rounded_region(size, 18, 18);
    default:
      return QRegion(0, 0, size.width(), size.height());
  }
}

QRegion rounded_region(QSize size, int corner_w, int corner_h) {
  const int w = size.width();
  const int h = size.height();
  const double rx = corner_w / 2.0;
  const double ry = corner_h / 2.0;
  QRegion region;
  for (int y = 0; y < h; ++y) {
    const int from_edge = y < h / 2 ? y : h - 1 - y;
    const int inset = from_edge < ry ? corner_inset(from_edge, rx, ry) : 0;
    if (w - 2 * inset > 0) region += QRect(inset, y, w - 2 * inset, 1);
  }
  return region;
}

}  // namespace ordelix
