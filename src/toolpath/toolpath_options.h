#pragma once

namespace korvex {

// Which side of the kerf the plasma leaves square, seen along the direction of travel in the
// program's X-Y plane (X to the right, Y up).
enum class GoodSide { Right, Left };

enum class LeadShape { Line, Arc };

// How one machine's torch follows a curve. The defaults follow the curve's points exactly.
struct ToolpathOptions {
  double kerf = 0;  // mm; the torch runs half of it off the part line, toward the scrap
  GoodSide goodSide = GoodSide::Right;
  double leadIn = 0;   // mm from the pierce to the cut
  double leadOut = 0;  // mm from the cut's end into the scrap
  LeadShape leadShape = LeadShape::Arc;
  double overcut = 0;     // mm run past the start before the lead-out
  double startAngle = 0;  // degrees round the tube from the seam, where each cut starts
  double tolerance = 0;   // mm of chord error; 0 takes the CUT SEGMENTS steps

  bool operator==(const ToolpathOptions&) const = default;
};

}  // namespace korvex
