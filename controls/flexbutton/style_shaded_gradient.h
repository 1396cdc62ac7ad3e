#pragma once

#include <QImage>

#include "ole_colour.h"

namespace ordelix {

// Style 10 in draw state 0 (normal), 1 (hot) or 2 (pressed); `back` is the translated BackColor.
void draw_shaded_gradient(QImage& surface, OleColor back, int draw_state);

}  // namespace ordelix
