#include "nesting/part_ends.h"

#include <algorithm>
#include <cmath>

namespace korvex {

double OwnLength(const PartExtents& part) {
  return part.ownLength;
}

double ExtentOf(const PartExtents& part) {
  double least = INFINITY, greatest = -INFINITY;
  for (const SurfaceExtents& surface : part.surfaces) {
    least = std::min(least, *std::min_element(surface.left.steel.begin(), surface.left.steel.end()));
    greatest = std::max(greatest,
                        *std::max_element(surface.right.steel.begin(), surface.right.steel.end()));
  }
  return greatest - least;
}

double NarrowestWidth(const PartExtents& part) {
  double narrowest = INFINITY;
  for (const SurfaceExtents& surface : part.surfaces) {
    for (std::size_t j = 0; j < surface.left.steel.size(); ++j)
      narrowest = std::min(narrowest, surface.right.steel[j] - surface.left.steel[j]);
  }
  return narrowest;
}

}  // namespace korvex
