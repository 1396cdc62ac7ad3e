#include <cstdio>

#include <QApplication>

#include "gallery_picture.h"
#include "gallery_window.h"

namespace {

int usage() {
  std::fputs("usage: flexbutton-gallery [--png FILE]\n", stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  const bool picture = argc == 3 && QByteArray(argv[1]) == "--png";
  if (argc != 1 && !picture) return usage();
  // The picture needs no display.
  if (picture) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  if (picture) {
    const QString error = ordelix::save_gallery_picture(QString::fromLocal8Bit(argv[2]));
    if (error.isEmpty()) return 0;
    std::fprintf(stderr, "flexbutton-gallery: %s: %s\n", argv[2], qPrintable(error));
    return 1;
  }
  ordelix::GalleryWindow window;
  window.show();
  return QApplication::exec();
}
