#include "drawing_primitives.h"

#include <algorithm>
#include <cstdlib>

#include "colour_math.h"

namespace ordelix {
namespace {

bool inside(const QImage& surface, int x, int y) {
  return x >= 0 && y >= 0 && x < surface.width() && y < surface.height();
}

void put(QImage& surface, int x, int y, QRgb value) {
  if (inside(surface, x, y)) reinterpret_cast<QRgb*>(surface.scanLine(y))[x] = value;
}

int ramp_channel(int from, int to, long long i, long long n) {
  return static_cast<int>(from + i * (to - from) / n);
}

QRgb ramp_entry(OleColor from, OleColor to, long long i, long long n) {
  if (n == 0) return to_qrgb(average(from, to));
  return qRgb(ramp_channel(red_of(from), red_of(to), i, n),
              ramp_channel(green_of(from), green_of(to), i, n),
              ramp_channel(blue_of(from), blue_of(to), i, n));
}

}  // namespace

void fill(QImage& surface, int left, int top, int right, int bottom, OleColor colour) {
  const QRgb value = to_qrgb(colour);
  const int x_begin = std::max(left, 0);
  const int x_end = std::min(right, surface.width());
  if (x_end <= x_begin) return;
  for (int y = std::max(top, 0); y < std::min(bottom, surface.height()); ++y) {
    auto* row = reinterpret_cast<QRgb*>(surface.scanLine(y));
    std::fill(row + x_begin, row + x_end, value);
  }
}

void set_pixel(QImage& surface, int x, int y, OleColor colour) {
  put(surface, x, y, to_qrgb(colour));
}

void frame(QImage& surface, int x, int y, int w, int h, OleColor colour) {
  if (w <= 0 || h <= 0) return;
  fill(surface, x, y, x + w, y + 1, colour);
  fill(surface, x, y + h - 1, x + w, y + h, colour);
  fill(surface, x, y, x + 1, y + h, colour);
  fill(surface, x + w - 1, y, x + w, y + h, colour);
}

void line(QImage& surface, int x1, int y1, int x2, int y2, OleColor colour) {
  const QRgb value = to_qrgb(colour);
  const int dx = std::abs(x2 - x1);
  const int dy = -std::abs(y2 - y1);
  const int step_x = x1 < x2 ? 1 : -1;
  const int step_y = y1 < y2 ? 1 : -1;
  int error = dx + dy;
  while (x1 != x2 || y1 != y2) {
    put(surface, x1, y1, value);
    const int twice = 2 * error;
    if (twice >= dy) {
      error += dy;
      x1 += step_x;
    }
    if (twice <= dx) {
      error += dx;
      y1 += step_y;
    }
  }
}

void corner_pixels(QImage& surface, OleColor colour) {
  const QRgb value = to_qrgb(colour);
  const int right = surface.width() - 2;
  const int bottom = surface.height() - 2;
  put(surface, 1, 1, value);
  put(surface, 1, bottom, value);
  put(surface, right, 1, value);
  put(surface, right, bottom, value);
}

void gradient(QImage& surface, int x, int y, int w, int h, OleColor from, OleColor to,
              GradientDirection direction) {
  if (w <= 0 || h <= 0) return;
  const long long n = direction == GradientDirection::LeftToRight   ? w - 1LL
                      : direction == GradientDirection::TopToBottom ? h - 1LL
                                                                    : w + h - 2LL;
  const int x_end = std::min(x + w, surface.width());
  const int y_end = std::min(y + h, surface.height());
  for (int row = std::max(y, 0); row < y_end; ++row) {
    auto* pixels = reinterpret_cast<QRgb*>(surface.scanLine(row));
    const long long down = row - y;
    for (int column = std::max(x, 0); column < x_end; ++column) {
      const long long across = column - x;
      long long i = across + down;
      if (direction == GradientDirection::LeftToRight) i = across;
      if (direction == GradientDirection::TopToBottom) i = down;
      if (direction == GradientDirection::AntiDiagonal) i = across + (h - 1 - down);
      pixels[column] = ramp_entry(from, to, i, n);
    }
  }
}

void focus_rect(QImage& surface, int left, int top, int right, int bottom) {
  if (right <= left || bottom <= top) return;
  auto invert = [&](int x, int y) {
    if (!inside(surface, x, y) || (x - left + y - top) % 2 != 0) return;
    auto* pixel = reinterpret_cast<QRgb*>(surface.scanLine(y)) + x;
    *pixel ^= 0x00FFFFFF;
  };
  for (int x = left; x < right; ++x) {
    invert(x, top);
    if (bottom - 1 != top) invert(x, bottom - 1);
  }
  for (int y = top + 1; y < bottom - 1; ++y) {
    invert(left, y);
    if (right - 1 != left) invert(right - 1, y);
  }
}

}  // namespace ordelix
