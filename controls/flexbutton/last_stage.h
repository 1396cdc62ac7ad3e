#pragma once

#include <QImage>
#include <QPainter>
#include <QSize>

#include "button_look.h"

namespace ordelix {

// Picture and caption over the style's background.
void draw_last_stage(QPainter& painter, QSize client, const ButtonLook& look);

// The dotted focus rectangle of the styles that have one, while the control has the focus or
// the default look, ShowFocusRect is on and the host window is active.
void draw_focus_rectangle(QImage& surface, const ButtonLook& look);

}  // namespace ordelix
