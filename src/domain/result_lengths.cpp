#include "domain/result_lengths.h"

#include <cmath>

#include "domain/job_parameters.h"

namespace korvex {

ResultLengths MeasureResultLengths(const CutPoints& left, const CutPoints& right, int segments,
                                   double mainRadius, double atAngleDegrees) {
  const int n = segments;
  ResultLengths lengths;
  for (int i = 0; i <= n; ++i) {
    if (right.x[i] > lengths.xMax) lengths.xMax = right.x[i];
    if (left.x[i] < lengths.xMin) lengths.xMin = left.x[i];
    if (right.y[i] > lengths.yMax) lengths.yMax = right.y[i];
    if (left.y[i] < lengths.yMin) lengths.yMin = left.y[i];
  }
  const double step = std::nearbyint(atAngleDegrees * n / 360);
  lengths.lineY = 2 * kPi * mainRadius * step / n - kPi * mainRadius;
  return lengths;
}

}  // namespace korvex
