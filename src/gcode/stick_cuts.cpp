#include "gcode/stick_cuts.h"

#include <cmath>

#include "base/pi.h"

namespace korvex {

MachineCut PlaceCut(const MachineCut& cut, const PlacedPart& part, double tubeDiameter) {
  const double turn = part.turn - 360 * std::round(part.turn / 360);
  const double shift = turn * kPi * tubeDiameter / 360;  // y falls as the angle grows
  const double sign = part.flipped ? -1 : 1;
  MachineCut placed;
  placed.reserve(cut.size());
  for (const PathPoint& point : cut)
    placed.push_back({part.offset + sign * point.x, sign * point.y - shift, sign * point.tilt});
  return placed;
}

std::vector<MachineCut> StickCuts(std::span<const PlacedPart> parts, double tubeDiameter) {
  std::vector<MachineCut> cuts;
  for (const PlacedPart& part : parts) {
    if (part.cuts.size() < 2) continue;
    const std::size_t nearEnd = part.flipped ? 1 : 0;
    cuts.push_back(PlaceCut(part.cuts[nearEnd], part, tubeDiameter));
    for (std::size_t hole = 2; hole < part.cuts.size(); ++hole)
      cuts.push_back(PlaceCut(part.cuts[hole], part, tubeDiameter));
    cuts.push_back(PlaceCut(part.cuts[1 - nearEnd], part, tubeDiameter));
  }
  return cuts;
}

}  // namespace korvex
