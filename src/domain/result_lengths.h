#pragma once

namespace korvex {

struct CutPoints;

// The part's extent: along the tube from the left cut's leftmost to the right cut's rightmost
// point, and round the unrolled circumference; and where the measurement line lies.
struct ResultLengths {
  double xMin = 1000000, xMax = 0;  // start values stand when no point passes them
  double yMin = 1000000, yMax = 0;
  double lineY = 0;  // unrolled position of the measurement line, chosen by AT ANGLE

  double xLength() const { return xMax - xMin; }
  double yLength() const { return yMax - yMin; }
};

// The lengths over steps 0..segments of both paths on a tube of mainRadius.
ResultLengths MeasureResultLengths(const CutPoints& left, const CutPoints& right, int segments,
                                   double mainRadius, double atAngleDegrees);

}  // namespace korvex
