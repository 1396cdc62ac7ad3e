#pragma once

#include <QPainter>
#include <QSize>

#include "button_look.h"

namespace ordelix {

// Picture and caption over the style's background.
void draw_last_stage(QPainter& painter, QSize client, const ButtonLook& look);

}  // namespace ordelix
