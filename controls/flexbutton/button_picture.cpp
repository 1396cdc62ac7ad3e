#include "button_picture.h"

namespace ordelix {

ButtonPicture ButtonPicture::fromFile(const QString& path) {
  if (path.isEmpty()) return {};
  const bool icon =
      path.endsWith(".ico", Qt::CaseInsensitive) || path.endsWith(".cur", Qt::CaseInsensitive);
  return {QImage(path), icon ? Kind::Icon : Kind::Bitmap, path};
}

}  // namespace ordelix
