#pragma once

#include "view/draw_list.h"

namespace korvex {

class Panel;
struct JobState;

// The part's extent: along the tube from the left cut's leftmost to the right cut's rightmost
// point, and round the unrolled circumference; and where the measurement line lies.
struct ResultLengths {
  double xMin = 1000000, xMax = 0;  // start values stand when no point passes them
  double yMin = 1000000, yMax = 0;
  double lineY = 0;  // unrolled position of the measurement line, chosen by AT ANGLE

  double xLength() const { return xMax - xMin; }
  double yLength() const { return yMax - yMin; }
};

ResultLengths MeasureResultLengths(const JobState& job, double atAngleDegrees);

// Shows X LENGTH and Y LENGTH in the RESULT frame.
void UpdateResultLengths(Panel& panel, const ResultLengths& lengths);

// The measurement line along the tube in the plane of the flat patterns.
void DrawMeasurementLine(const ResultLengths& lengths, double mainRadius, DrawList& list);

}  // namespace korvex
