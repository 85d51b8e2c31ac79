#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "nesting/stick_order.h"

namespace korvex::nesting_internal {

// The best plan of a short list, found by trying every way to share the parts out among sticks,
// each stick with its shortest chain: the fewest sticks, then the longest single remnant, then
// the most cuts shared. Nothing when the list is too long to try them all, or some part cannot
// be laid out on a stick alone.
std::optional<std::vector<Chain>> ExactPlan(JunctionTable& table,
                                            std::span<const std::size_t> kinds);

}  // namespace korvex::nesting_internal
