#pragma once

#include <QString>

namespace ordelix {

// Renders every style in each of its looks, a labelled row per style, and saves the picture as
// PNG through a temporary file. Returns the reason on failure, an empty string on success.
QString save_gallery_picture(const QString& path);

}  // namespace ordelix
