#pragma once

#include <optional>

#include <QPoint>
#include <QRect>
#include <QSize>

namespace ordelix {

struct CaptionPlacement {
  QRect picture;  // empty without a picture
  QPoint caption;
};

// Where the picture and the caption text go in a client of `client` pixels, before the pressed
// offsets. `text` is the caption's width and height in the current font.
CaptionPlacement place_caption(QSize client, QSize text, std::optional<QSize> picture,
                               int caption_align, int picture_align, bool has_access_key);

}  // namespace ordelix
