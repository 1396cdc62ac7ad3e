#include "window_icon.h"

#include <gtest/gtest.h>

#include <QImage>
#include <QList>
#include <QSize>
#include <algorithm>
#include <cstdlib>

namespace ordelix {
namespace {

// The sizes the desktop installs under share/icons/hicolor.
const QList<int> installed_sizes{16, 22, 24, 32, 48, 64, 128, 256};

TEST(WindowIcon, OffersEveryInstalledSize) {
  QList<QSize> expected;
  for (int size : installed_sizes) expected << QSize(size, size);
  EXPECT_EQ(window_icon().availableSizes(), expected);
}

// The icon engine keeps pixels premultiplied, so both are compared so: a
// transparent pixel's colour is lost, and a half-transparent edge may come
// back one step off.
int largest_channel_difference(QImage a, QImage b) {
  a = a.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  b = b.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  int largest = 0;
  for (int y = 0; y < a.height(); ++y)
    for (int x = 0; x < a.width(); ++x) {
      QRgb p = a.pixel(x, y), q = b.pixel(x, y);
      for (int shift : {0, 8, 16, 24})
        largest = std::max(largest, std::abs(int((p >> shift) & 0xff) - int((q >> shift) & 0xff)));
    }
  return largest;
}

TEST(WindowIcon, IsTheInstalledPictureAtEachSize) {
  QIcon icon = window_icon();
  for (int size : installed_sizes) {
    QImage installed(QString(ORDELIX_ICONS_DIR "/%1x%1/org.ordelix.Ordelix.png").arg(size));
    ASSERT_EQ(installed.size(), QSize(size, size));
    QImage shown = icon.pixmap(QSize(size, size)).toImage();
    ASSERT_EQ(shown.size(), installed.size());
    EXPECT_LE(largest_channel_difference(shown, installed), 1) << size;
  }
}

}  // namespace
}  // namespace ordelix
