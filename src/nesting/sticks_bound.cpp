#include "nesting/sticks_bound.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <numeric>

namespace korvex::nesting_internal {
namespace {

// Sizes are taken this much smaller, so that rounding never raises the bound.
constexpr double kRounding = 1e-9;

}  // namespace

int SticksBound(std::vector<double> sizes, double capacity) {
  if (sizes.empty() || capacity <= 0) return 0;
  for (double& size : sizes)
    size = std::max(0.0, size - kRounding * capacity);
  std::sort(sizes.begin(), sizes.end(), std::greater<>());
  // sum[i]: the i largest sizes summed.
  std::vector<double> sum(sizes.size() + 1, 0.0);
  std::partial_sum(sizes.begin(), sizes.end(), sum.begin() + 1);
  // How many sizes exceed a value.
  const auto above = [&](double value) {
    return static_cast<std::size_t>(
        std::upper_bound(sizes.begin(), sizes.end(), value, std::greater<>()) - sizes.begin());
  };
  const auto count = [](std::size_t n) { return static_cast<int>(n); };
  const double half = capacity / 2;
  int best = std::max(static_cast<int>(std::ceil(sum.back() / capacity - kRounding)),
                      count(above(half)));
  // For a least size a of those that fit beside others: sizes above capacity − a share a stick
  // with nothing considered; those above half share theirs with at most their own room of the
  // sizes from a to half, and what of those is left needs sticks of its own.
  for (std::size_t i = above(half); i < sizes.size(); ++i) {
    const double a = sizes[i];
    if (i + 1 < sizes.size() && sizes[i + 1] == a) continue;
    const std::size_t alone = above(capacity - a), big = above(half), small = i + 1;
    const double bigSum = sum[big] - sum[alone];
    const double smallSum = sum[small] - sum[big];
    const double room = static_cast<double>(big - alone) * capacity - bigSum;
    const int more = std::max(0, static_cast<int>(std::ceil((smallSum - room) / capacity - kRounding)));
    best = std::max(best, count(big) + more);
  }
  return best;
}

}  // namespace korvex::nesting_internal
