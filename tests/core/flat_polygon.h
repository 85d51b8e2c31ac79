#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

namespace korvex::test {

struct FlatPoint {
  double x = 0, y = 0;
};

// A closed polygon in the unrolled plane: the last corner repeats the first.
struct FlatPolygon {
  std::vector<FlatPoint> corners;

  double distance(FlatPoint p) const {
    double best = 1e9;
    for (std::size_t k = 1; k < corners.size(); ++k) {
      const FlatPoint& a = corners[k - 1];
      const FlatPoint& b = corners[k];
      const double dx = b.x - a.x, dy = b.y - a.y;
      const double t =
          std::clamp(((p.x - a.x) * dx + (p.y - a.y) * dy) / (dx * dx + dy * dy), 0.0, 1.0);
      best = std::min(best, std::hypot(p.x - a.x - t * dx, p.y - a.y - t * dy));
    }
    return best;
  }
  bool inside(FlatPoint p) const {  // crossings of a ray towards +x
    bool in = false;
    for (std::size_t k = 1; k < corners.size(); ++k) {
      const FlatPoint& a = corners[k - 1];
      const FlatPoint& b = corners[k];
      if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) * (b.x - a.x) / (b.y - a.y))
        in = !in;
    }
    return in;
  }
};

}  // namespace korvex::test
