#pragma once

#include "ole_colour.h"

namespace ordelix {

// Nearest integer, halves to the even neighbour.
int round_half_even(double value);

// Adds round(f * 255) to each channel, clipped to 0..255.
OleColor shift(OleColor colour, double f);

// Channel-wise mean, halves to even.
OleColor average(OleColor first, OleColor second);

}  // namespace ordelix
