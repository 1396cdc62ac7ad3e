#pragma once

#include <QImage>

// Pixels as the tests draw on and read them.
namespace pixels {

// A surface of one colour for a drawing to change.
inline QImage filled(int width, int height, QRgb colour) {
  QImage image(width, height, QImage::Format_RGB32);
  image.fill(colour);
  return image;
}

// The pixel's colour: an RGB32 image leaves its alpha byte undefined.
inline QRgb at(const QImage& image, int x, int y) {
  return image.pixel(x, y) | 0xFF000000;
}

}  // namespace pixels
