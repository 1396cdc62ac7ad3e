#pragma once

#include <QFont>
#include <QString>

#include "button_picture.h"
#include "ole_colour.h"

namespace ordelix {

// Everything one redraw needs, colours already translated to RGB.
struct ButtonLook {
  int style = 0;
  int draw_state = 0;  // 0 normal, 1 hot, 2 pressed
  bool enabled = true;
  bool checked = false;  // check-box mode with Value true
  OleColor surface = 0;  // the control's own background, shown where a style paints nothing
  OleColor back_color = 0;
  OleColor fore_color = 0;
  OleColor grey_text = 0;
  QString caption;
  bool has_access_key = false;
  QFont font;
  ButtonPicture picture;
  ButtonPicture picture_hover;
  int picture_size = 0;
  int picture_align = 1;
  int caption_align = 1;
  OleColor mask_color = 0;
  bool use_mask_color = false;
};

}  // namespace ordelix
