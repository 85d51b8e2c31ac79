#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <vector>

#include "nesting/junction_table.h"

namespace korvex::nesting_internal {

// Up to this many parts a stick's order, flips and turns are the best there are; beyond it they
// are found by insertion and improved by moving one part at a time.
inline constexpr std::size_t kExactParts = 12;

// Parts in order along one stick.
struct Chain {
  std::vector<std::size_t> order;  // orientations
  Microns lastOffset = 0;
  double end = 0;   // the rightmost point of the last part
  double own = 0;   // the parts' own lengths, summed
  int shared = 0;   // links cut by one pass
};

// The chain as the orientations lay it out, each part as close to the one before as it goes.
Chain LaidOut(JunctionTable& table, std::vector<std::size_t> order);

bool Fits(const JunctionTable& table, const Chain& chain);

// Whether the parts' own lengths and kerfs alone leave room for this much more own length in
// this many more parts; a chain that fails this cannot fit.
bool MightTake(const JunctionTable& table, const Chain& chain, double own, std::size_t parts);

// Of two chains, the shorter; equally long, the one with more cuts shared.
bool Better(const Chain& a, const Chain& b);

// The kinds of a chain's parts.
std::vector<std::size_t> KindsOf(const Chain& chain);

// Where a part may go into a chain.
enum class Positions { Anywhere, Ends };

// The part inserted where the chain stays shortest, either way round, when it then fits.
std::optional<Chain> Inserted(JunctionTable& table, const Chain& chain, std::size_t kind,
                              Positions positions = Positions::Anywhere);

// The chain without the part at index.
Chain Removed(JunctionTable& table, const Chain& chain, std::size_t index);

// The shortest chain of these parts when it fits: exact up to kExactParts parts, else as found.
std::optional<Chain> FittingChain(JunctionTable& table, std::span<const std::size_t> kinds);

}  // namespace korvex::nesting_internal
