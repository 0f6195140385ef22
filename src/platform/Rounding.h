#pragma once
// Every pixel, angle and volume derived from a floating-point value is
// rounded to the nearest integer, ties to the even neighbour.

#include <cmath>

namespace tonlira {

inline int rnd(double x) { return static_cast<int>(std::nearbyint(x)); }
inline int rnd(float x) { return static_cast<int>(std::nearbyint(x)); }

}  // namespace tonlira
