#pragma once

#include <array>
#include <cmath>

namespace korvex {

// A point or a direction in a frame's space, mm.
using Vec3 = std::array<double, 3>;

inline Vec3 operator+(const Vec3& a, const Vec3& b) {
  return {a[0] + b[0], a[1] + b[1], a[2] + b[2]};
}
inline Vec3 operator-(const Vec3& a, const Vec3& b) {
  return {a[0] - b[0], a[1] - b[1], a[2] - b[2]};
}
inline Vec3 operator*(double s, const Vec3& a) {
  return {s * a[0], s * a[1], s * a[2]};
}
inline double Dot(const Vec3& a, const Vec3& b) {
  return a[0] * b[0] + a[1] * b[1] + a[2] * b[2];
}
inline Vec3 Cross(const Vec3& a, const Vec3& b) {
  return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
inline double Length(const Vec3& a) {
  return std::sqrt(Dot(a, a));
}
inline Vec3 Unit(const Vec3& a) {
  return (1 / Length(a)) * a;
}

}  // namespace korvex
