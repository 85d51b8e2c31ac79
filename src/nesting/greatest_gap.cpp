#include "nesting/greatest_gap.h"

#include <cmath>

namespace korvex::nesting_internal {

double GreatestGap(const double* aReach, const double* aSteel, const double* bSteel,
                   const double* bReach, std::size_t count) {
  double most = -INFINITY;
  for (std::size_t m = 0; m < count; ++m) {
    const double ahead = aReach[m] - bSteel[m], behind = aSteel[m] - bReach[m];
    const double gap = ahead > behind ? ahead : behind;
    most = gap > most ? gap : most;
  }
  return most;
}

}  // namespace korvex::nesting_internal
