#include "paint_button.h"

#include "button_styles.h"
#include "last_stage.h"
#include "style_shaded_gradient.h"

namespace ordelix {

void paint_button(QPainter& painter, QSize client, const ButtonLook& look) {
  if (client.isEmpty()) return;
  QImage surface(client, QImage::Format_RGB32);
  surface.fill(to_qrgb(look.surface));
  if (look.style == button_style::ShadedGradient)
    draw_shaded_gradient(surface, look.back_color, look.draw_state);
  painter.drawImage(0, 0, surface);
  draw_last_stage(painter, client, look);
}

}  // namespace ordelix
