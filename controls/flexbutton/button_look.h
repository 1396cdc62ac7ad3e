#pragma once

#include <QFont>
#include <QString>

#include "button_picture.h"
#include "ole_colour.h"
#include "three_d_edge.h"

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
  OleColor button_text = 0;
  OleColor app_workspace = 0;
  EdgeColours edge;
  bool show_focus_rect = false;
  bool focused = false;
  bool default_look = false;   // the host shows the control as its default button
  bool parent_active = false;  // the host window is the active one
  bool mouse_over = false;
  bool mouse_down = false;  // left button pressed on the control
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
