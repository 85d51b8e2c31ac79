#include "nesting/part_ends.h"

#include <algorithm>
#include <cmath>

#include "domain/computed_job.h"

namespace korvex {

PartEnds PartEndsOf(const ComputedJob& job) {
  const auto n = static_cast<std::size_t>(job.parameters.cutSegments);
  const auto& left = job.left.surfaces.outer;
  const auto& right = job.right.surfaces.outer;
  // Step n is step 0 again, one turn later.
  return {{left.begin(), left.begin() + static_cast<std::ptrdiff_t>(n)},
          {right.begin(), right.begin() + static_cast<std::ptrdiff_t>(n)}};
}

double EndXAt(const std::vector<double>& end, double degrees) {
  const double n = static_cast<double>(end.size());
  double u = std::fmod(degrees / 360.0 * n, n);
  if (u < 0) u += n;
  const auto i = std::min(static_cast<std::size_t>(u), end.size() - 1);
  const double fraction = u - static_cast<double>(i);
  return end[i] + (end[(i + 1) % end.size()] - end[i]) * fraction;
}

double OwnLength(const PartEnds& ends) {
  // Straight pieces between samples: the mean of the samples is the exact mean over the turn.
  double sum = 0;
  for (std::size_t i = 0; i < ends.left.size(); ++i)
    sum += ends.right[i] - ends.left[i];
  return sum / static_cast<double>(ends.left.size());
}

double ExtentOf(const PartEnds& ends) {
  return *std::max_element(ends.right.begin(), ends.right.end()) -
         *std::min_element(ends.left.begin(), ends.left.end());
}

double NarrowestWidth(const PartEnds& ends) {
  double narrowest = INFINITY;
  for (std::size_t i = 0; i < ends.left.size(); ++i)
    narrowest = std::min(narrowest, ends.right[i] - ends.left[i]);
  return narrowest;
}

}  // namespace korvex
