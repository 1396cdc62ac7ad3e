#pragma once

#include <QPainter>
#include <QSize>

#include "button_look.h"

namespace ordelix {

// The one drawing entry point: clear, the style's background for the draw state, then picture
// and caption.
void paint_button(QPainter& painter, QSize client, const ButtonLook& look);

}  // namespace ordelix
