#include "scene/cut_to_cut_lines.h"

#include <cmath>

#include "domain/computed_job.h"
#include "scene/draw_list.h"

namespace korvex {

void DrawCutToCutLines(const ComputedJob& job, DrawList& list) {
  const int n = job.parameters.cutSegments;
  const double radius = job.parameters.mainRadius;
  const double fullTurn = 2 * kPi;
  const double step = fullTurn / n;
  list.beginLines({0.1f, 1.0f, 0.1f, 0.2f});
  // The angle is accumulated, so rounding decides whether the closing line at 2π is drawn.
  double theta = 0;
  for (int i = 0; i <= n && (step < 0 ? theta >= fullTurn : theta <= fullTurn); ++i) {
    const auto y = static_cast<float>(radius * std::sin(theta));
    const auto z = static_cast<float>(radius * std::cos(theta));
    list.addSegment({static_cast<float>(job.left.path.x[i]), y, z},
                    {static_cast<float>(job.right.path.x[i]), y, z});
    theta += step;
  }
}

}  // namespace korvex
