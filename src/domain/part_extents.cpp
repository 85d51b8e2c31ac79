#include "domain/part_extents.h"

#include <algorithm>
#include <cmath>

namespace korvex {

double CurveAt(const AngleCurve& curve, double degrees) {
  double at = std::fmod(degrees, 360.0);
  if (at < 0) at += 360;
  const auto j = std::min(static_cast<std::size_t>(at), curve.size() - 1);
  const double t = at - static_cast<double>(j);
  return curve[j] + t * (curve[(j + 1) % curve.size()] - curve[j]);
}

}  // namespace korvex
