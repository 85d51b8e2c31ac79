#include "domain/step_angles.h"

#include <cmath>

namespace korvex {

void StepAngles::compute(int segmentCount, double turn) {
  for (int i = 0; i <= segmentCount; ++i) {
    const double theta = StepAngle(i, segmentCount) + turn;
    sin[i] = std::sin(theta);
    cos[i] = std::cos(theta);
  }
}

}  // namespace korvex
