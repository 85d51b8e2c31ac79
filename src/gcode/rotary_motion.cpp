#include "gcode/rotary_motion.h"

#include <algorithm>
#include <cmath>

#include "base/pi.h"

namespace korvex {

double RotationDegrees(double y, double tubeDiameter) {
  return 360 * y / (kPi * tubeDiameter);
}

double SurfaceLength(double dx, double dy) {
  return std::sqrt(dx * dx + dy * dy);
}

double InverseTimeFeed(double surfaceLength, double cuttingFeed) {
  return cuttingFeed / std::max(surfaceLength, kShortestMove);
}

}  // namespace korvex
