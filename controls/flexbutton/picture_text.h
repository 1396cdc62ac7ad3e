#pragma once

#include <QString>

#include "button_picture.h"

namespace ordelix {

// A picture as the property store keeps it: its kind, the file it came from and the image itself
// as base64 PNG ("Bitmap, \"C:/logo.bmp\", iVBORw0..."), so that a picture made in memory or
// whose file has gone reads back too. No picture is the empty text.
QString picture_text(const ButtonPicture& picture);

// Also reads the older form, the file's path alone in quotes, by loading the file. Without image
// data or with data that does not decode, the image is loaded from the file it came from.
ButtonPicture picture_from_text(const QString& text);

}  // namespace ordelix
