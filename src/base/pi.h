#pragma once

namespace korvex {

// Pi as the job geometry and the camera use it for every angle conversion and angular step.
inline constexpr double kPi = 3.14159265358979;

// An angle in degrees as radians, built from kPi.
inline double Radians(double degrees) {
  return degrees * kPi / 180;
}

}  // namespace korvex
