#pragma once

#include <algorithm>
#include <cmath>

#include "toolpath/torch_point.h"

namespace korvex {

inline double Cross(PlaneVector a, PlaneVector b) {
  return a.x * b.y - a.y * b.x;
}

inline double Dot(PlaneVector a, PlaneVector b) {
  return a.x * b.x + a.y * b.y;
}

inline PlaneVector Minus(PlaneVector a, PlaneVector b) {
  return {a.x - b.x, a.y - b.y};
}

// Whether segments a–b and c–d cross at a point inside both.
inline bool SegmentsCross(PlaneVector a, PlaneVector b, PlaneVector c, PlaneVector d) {
  auto side = [](PlaneVector p, PlaneVector q, PlaneVector r) {
    return Cross(Minus(q, p), Minus(r, p));
  };
  return side(a, b, c) * side(a, b, d) < 0 && side(c, d, a) * side(c, d, b) < 0;
}

// The distance of p from segment a–b.
inline double PointSegmentDistance(PlaneVector p, PlaneVector a, PlaneVector b) {
  const PlaneVector ab = Minus(b, a), ap = Minus(p, a);
  const double length2 = Dot(ab, ab);
  const double t = length2 > 0 ? std::clamp(Dot(ap, ab) / length2, 0.0, 1.0) : 0.0;
  return std::hypot(ap.x - t * ab.x, ap.y - t * ab.y);
}

// The distance between segments a–b and c–d: 0 where they cross.
inline double SegmentDistance(PlaneVector a, PlaneVector b, PlaneVector c, PlaneVector d) {
  if (SegmentsCross(a, b, c, d)) return 0;
  return std::min({PointSegmentDistance(a, c, d), PointSegmentDistance(b, c, d),
                   PointSegmentDistance(c, a, b), PointSegmentDistance(d, a, b)});
}

}  // namespace korvex
