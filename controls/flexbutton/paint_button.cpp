#include "paint_button.h"

#include "button_styles.h"
#include "last_stage.h"
#include "style_drawing.h"
#include "style_shaded_gradient.h"

namespace ordelix {
namespace {

void draw_style(QImage& surface, const ButtonLook& look) {
  switch (look.style) {
    case button_style::Standard:
    case button_style::Flat:
    case button_style::HotTrack3D:
    case button_style::FlatHotTrack:
      return draw_edged(surface, look);
    case button_style::RoundedBlue:
      return draw_rounded_blue(surface, look);
    case button_style::RoundedBeige:
      return draw_rounded_beige(surface, look);
    case button_style::GlassBlue:
      return draw_glass_blue(surface, look);
    case button_style::DropShadow:
      return draw_drop_shadow(surface, look);
    case button_style::SoftGradient:
      return draw_soft_gradient(surface, look);
    case button_style::OrangeGlow:
      return draw_orange_glow(surface, look);
    case button_style::SkyBlue:
      return draw_sky_blue(surface, look);
    case button_style::HoverFrame:
      return draw_hover_frame(surface, look);
    case button_style::ShadedGradient:
      return draw_shaded_gradient(surface, look.back_color, look.draw_state);
    case button_style::WarmGradient:
      return draw_warm_gradient(surface, look);
    case button_style::PixelSkin:
      return draw_pixel_skin(surface, look);
    case button_style::GreyGradient:
      return draw_grey_gradient(surface, look);
    default:
      return;  // beyond the sixteen styles only the caption and picture are drawn
  }
}

}  // namespace

void paint_button(QPainter& painter, QSize client, const ButtonLook& look) {
  if (client.isEmpty()) return;
  QImage surface(client, QImage::Format_RGB32);
  surface.fill(to_qrgb(look.surface));
  draw_style(surface, look);
  draw_focus_rectangle(surface, look);
  painter.drawImage(0, 0, surface);
  if (look.style != button_style::RoundedBeige) {
    draw_last_stage(painter, client, look);
    return;
  }
  ButtonLook caption = look;
  caption.fore_color = rounded_beige_caption(look);
  draw_last_stage(painter, client, caption);
}

}  // namespace ordelix
