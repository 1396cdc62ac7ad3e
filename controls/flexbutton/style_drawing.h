#pragma once

#include <QImage>

#include "button_look.h"

// Each draws one style's background and frame on a surface already cleared to look.surface, for
// look.draw_state with the check-box and disabled looks the style has.
namespace ordelix {

// Standard, Flat, HotTrack3D and FlatHotTrack: one routine of system-coloured edges.
void draw_edged(QImage& surface, const ButtonLook& look);
void draw_rounded_blue(QImage& surface, const ButtonLook& look);
void draw_rounded_beige(QImage& surface, const ButtonLook& look);
void draw_glass_blue(QImage& surface, const ButtonLook& look);
void draw_drop_shadow(QImage& surface, const ButtonLook& look);
void draw_soft_gradient(QImage& surface, const ButtonLook& look);
void draw_orange_glow(QImage& surface, const ButtonLook& look);
void draw_sky_blue(QImage& surface, const ButtonLook& look);
void draw_hover_frame(QImage& surface, const ButtonLook& look);
void draw_warm_gradient(QImage& surface, const ButtonLook& look);
void draw_pixel_skin(QImage& surface, const ButtonLook& look);
void draw_grey_gradient(QImage& surface, const ButtonLook& look);

// RoundedBeige sets its own caption colour: white when pressed, button text otherwise.
OleColor rounded_beige_caption(const ButtonLook& look);

}  // namespace ordelix
