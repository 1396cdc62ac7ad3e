#pragma once

#include <QImage>
#include <QMetaType>
#include <QString>

namespace ordelix {

// A picture property: bitmaps are opaque (holes only by the mask colour), icons keep their alpha.
struct ButtonPicture {
  enum class Kind { Bitmap, Icon };

  QImage image;
  Kind kind = Kind::Bitmap;
  QString source;  // the file it came from; empty for pictures made in memory

  // No picture at all; a file that failed to load still counts as set, so it is saved again.
  bool isNone() const { return image.isNull() && source.isEmpty(); }

  // Icons by the .ico and .cur extensions; an empty path gives no picture.
  static ButtonPicture fromFile(const QString& path);
};

}  // namespace ordelix

Q_DECLARE_METATYPE(ordelix::ButtonPicture)
