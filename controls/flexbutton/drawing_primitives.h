#pragma once

#include <QImage>

#include "ole_colour.h"

// Pixel-exact drawing on a QImage::Format_RGB32 surface; everything is clipped to the surface.
namespace ordelix {

enum class GradientDirection { LeftToRight = 0, TopToBottom = 1, Diagonal = 2, AntiDiagonal = 3 };

// The rectangle from (left, top) up to, not including, (right, bottom).
void fill(QImage& surface, int left, int top, int right, int bottom, OleColor colour);

// One pixel, left alone outside the surface.
void set_pixel(QImage& surface, int x, int y, OleColor colour);

// One-pixel outline of the w x h rectangle at (x, y).
void frame(QImage& surface, int x, int y, int w, int h, OleColor colour);

// From (x1, y1) towards (x2, y2), the end point left out.
void line(QImage& surface, int x1, int y1, int x2, int y2, OleColor colour);

// (1, 1), (1, H - 2), (W - 2, 1) and (W - 2, H - 2).
void corner_pixels(QImage& surface, OleColor colour);

// A w x h block whose pixels take entry i = c1 + i * (c2 - c1) / n of an integer ramp, i being
// the column, the row or the diagonal index by direction.
void gradient(QImage& surface, int x, int y, int w, int h, OleColor from, OleColor to,
              GradientDirection direction);

// Dotted outline inverting every other pixel, so drawing it twice restores the surface.
void focus_rect(QImage& surface, int left, int top, int right, int bottom);

}  // namespace ordelix
