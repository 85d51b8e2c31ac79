#pragma once

#include <cstddef>

namespace korvex::nesting_internal {

// The greatest of max(aReach[m] − bSteel[m], aSteel[m] − bReach[m]) over m < count, or −∞ for
// none: how far one part's torch comes toward the other's steel, whichever way. Every length
// must be finite.
double GreatestGap(const double* aReach, const double* aSteel, const double* bSteel,
                   const double* bReach, std::size_t count);

}  // namespace korvex::nesting_internal
