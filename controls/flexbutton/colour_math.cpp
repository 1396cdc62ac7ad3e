#include "colour_math.h"

#include <algorithm>
#include <cmath>

namespace ordelix {

int round_half_even(double value) {
  const double floor = std::floor(value);
  const double fraction = value - floor;
  double rounded = floor;
  if (fraction > 0.5 || (fraction == 0.5 && std::fmod(floor, 2.0) != 0.0)) rounded += 1.0;
  return static_cast<int>(rounded);
}

OleColor shift(OleColor colour, double f) {
  const int step = round_half_even(f * 255);
  auto moved = [step](int channel) { return std::clamp(channel + step, 0, 255); };
  return rgb(moved(red_of(colour)), moved(green_of(colour)), moved(blue_of(colour)));
}

OleColor average(OleColor first, OleColor second) {
  auto mean = [](int a, int b) { return round_half_even((a + b) / 2.0); };
  return rgb(mean(red_of(first), red_of(second)), mean(green_of(first), green_of(second)),
             mean(blue_of(first), blue_of(second)));
}

}  // namespace ordelix
