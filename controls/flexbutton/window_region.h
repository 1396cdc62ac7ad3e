#pragma once

#include <QRegion>
#include <QSize>

namespace ordelix {

// The part of a size-sized control that the style shows: rounded corners or the whole rectangle.
QRegion window_region(int style, QSize size);

// The rectangle (0, 0, W, H) with corners cut along an ellipse of corner_w x corner_h pixels.
QRegion rounded_region(QSize size, int corner_w, int corner_h);

}  // namespace ordelix
