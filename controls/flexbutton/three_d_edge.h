#pragma once

#include <QImage>

#include "ole_colour.h"

namespace ordelix {

// The system colours a three-dimensional edge is drawn in, translated to RGB.
struct EdgeColours {
  OleColor light = 0;        // 3D light
  OleColor highlight = 0;    // button highlight
  OleColor shadow = 0;       // button shadow
  OleColor dark_shadow = 0;  // 3D dark shadow
};

// Raised: outer and inner ring raised; thin raised: one raised ring; sunken: both rings sunken.
enum class Edge { Raised, ThinRaised, Sunken };

// The edge along the inside of the rectangle from (left, top) up to, not including,
// (right, bottom). Each ring's lower and right sides are drawn last and take its two far corners.
void draw_edge(QImage& surface, int left, int top, int right, int bottom, Edge edge,
               const EdgeColours& colours);

}  // namespace ordelix
