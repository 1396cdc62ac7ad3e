#include "caption_layout.h"

#include <algorithm>

#include "colour_math.h"

namespace ordelix {
namespace {

int caption_x_without_picture(int w, int tw, int caption_align) {
  switch (caption_align) {
    case 0:
      return 4;
    case 1:
      return round_half_even(w / 2.0 - tw / 2.0);
    case 2:
      return w - tw - 4;
    default:
      return 0;
  }
}

}  // namespace

CaptionPlacement place_caption(QSize client, QSize text, std::optional<QSize> picture,
                               int caption_align, int picture_align, bool has_access_key) {
  const int w = client.width();
  const int h = client.height();
  const int tw = text.width();
  const int th = text.height();
  const int key_shift = has_access_key ? 3 : 0;
  int cy = round_half_even(h / 2.0 - th / 2.0);
  if (!picture)
    return {QRect(), QPoint(caption_x_without_picture(w, tw, caption_align) + key_shift, cy)};

  int pw = picture->width();
  int ph = picture->height();
  int x = 0;
  int y = round_half_even((h - ph) / 2.0);
  int cx = 0;
  switch (picture_align) {
    case 0:
      x = 4;
      cx = std::max(round_half_even(w / 2.0 - tw / 2.0 + pw / 2.0), pw + 8);
      break;
    case 1:
      x = std::max(round_half_even((w - pw - tw) / 2.0), 4);
      cx = std::max(round_half_even(w / 2.0 - tw / 2.0 + pw / 2.0 + 3), pw + 8);
      break;
    case 2:
      x = w - pw - 4;
      cx = w - tw - pw - 4;
      break;
    case 3:
      x = std::min(round_half_even((w - pw + tw) / 2.0), w - pw - 4);
      cx = round_half_even(w / 2.0 - tw / 2.0 - pw / 2.0 - 3);
      break;
    case 4:
      x = round_half_even((w - pw) / 2.0);
      cx = round_half_even(w / 2.0 - tw / 2.0);
      break;
    case 5:
      x = round_half_even((w - pw) / 2.0);
      y = 4;
      cx = round_half_even(w / 2.0 - tw / 2.0);
      cy = round_half_even(ph / 2.0 + h / 2.0 - th / 2.0 + 2);
      break;
    default:
      break;
  }
  x = std::max(x, 1);
  y = std::max(y, 1);
  if (x + pw > w) pw = w - 8;
  if (y + ph > h) ph = h - 4;

  const int placed_cx = cx;
  if (caption_align == 0) {
    if (picture_align == 0) cx = pw + 8;
    if (picture_align == 1) {
      x = 4;
      cx = pw + 8;
    }
    if (picture_align == 2 && placed_cx >= 4) cx = 4;
    if (picture_align == 3) {
      x = tw + 4;
      cx = 4;
    }
    if (picture_align == 4 || picture_align == 5) cx = 4;
  } else if (caption_align == 1 && picture_align == 2) {
    cx = placed_cx < 0 ? w - tw - pw - 4 : round_half_even(w / 2.0 - tw / 2.0);
  } else if (caption_align == 2) {
    if (picture_align == 0) cx = std::max(w - tw - 4, pw + 4);
    if (picture_align == 1) {
      cx = w - tw - 4;
      x = cx - pw - 4;
    }
    if (picture_align == 2) cx = w - tw - pw - 4;
    if (picture_align == 3) {
      x = w - pw - 4;
      cx = w - tw - pw - 4;
    }
    if (picture_align == 4 || picture_align == 5) cx = w - tw - 4;
  }
  return {QRect(x, y, pw, ph), QPoint(cx + key_shift, cy)};
}

}  // namespace ordelix
