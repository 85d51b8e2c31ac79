#pragma once

#include <array>

#include "domain/job_parameters.h"

namespace korvex {

// Sines and cosines of the angular steps θ = 2·i·kPi/N + turn, i = 0..N. Computed once per
// rebuild and shared by every pass that walks round the tube.
struct StepAngles {
  std::array<double, kCutPointCapacity> sin{};
  std::array<double, kCutPointCapacity> cos{};

  void compute(int segmentCount, double turn);
};

// The angle of step i of n, built from kPi.
inline double StepAngle(int i, int n) {
  return 2.0 * i * kPi / n;
}

}  // namespace korvex
