#pragma once

#include <QWidget>

namespace ordelix {

// One live button of every style with switches for check-box mode, Value, Enabled and the back
// colour.
class GalleryWindow : public QWidget {
 public:
  GalleryWindow();
};

}  // namespace ordelix
