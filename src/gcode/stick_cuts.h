#pragma once

#include <span>
#include <vector>

#include "gcode/cuts_program.h"

namespace korvex {

// One part on a stick: its planned cuts in its own frame and where the plan puts it.
struct PlacedPart {
  // As the part's own program runs them: its left end, its right end, then its holes.
  std::span<const MachineCut> cuts;
  double offset = 0;     // added to the part's x, after flipping
  bool flipped = false;  // turned end for end first
  double turn = 0;       // degrees round the tube, added after flipping
};

// The cut placed on a stick of outer diameter tubeDiameter. Turning a part end for end turns it
// half a turn about an axis square to the tube: x and the angle round the tube change sign, and
// so does the tilt, which leans along the tube. In the unrolled plane that is a half turn, not a
// mirror image, so each cut keeps its sense and its part stays on the side its path planned,
// the kerf on the scrap. The turn is taken the short way, within half a turn either side.
MachineCut PlaceCut(const MachineCut& cut, const PlacedPart& part, double tubeDiameter);

// The cuts of a stick's parts, in order along the stick, placed: each part's end nearer the
// stick's start, then its holes while the part still hangs on the stick, then its far end, which
// frees it.
std::vector<MachineCut> StickCuts(std::span<const PlacedPart> parts, double tubeDiameter);

}  // namespace korvex
