#pragma once

#include <vector>

namespace korvex::nesting_internal {

// The fewest sticks any plan can use when each stick holds at most capacity of the sizes: every
// size counted, and sizes above half a stick each on a stick of their own, sharing it only with
// the sizes that fit beside them.
int SticksBound(std::vector<double> sizes, double capacity);

}  // namespace korvex::nesting_internal
