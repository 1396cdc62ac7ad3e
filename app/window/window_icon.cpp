#include "window_icon.h"

#include <QString>

namespace ordelix {

QIcon window_icon() {
  QIcon icon;
  for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
    icon.addFile(QString(":/icons/%1x%1/org.ordelix.Ordelix.png").arg(size));
  return icon;
}

}  // namespace ordelix
