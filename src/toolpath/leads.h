#pragma once

#include <functional>
#include <vector>

#include "toolpath/toolpath_options.h"
#include "toolpath/torch_point.h"

namespace korvex {

// How a lead is drawn: its length and shape, the side of the scrap (+1 left of the direction of
// travel, -1 right) and the arc's chord tolerance.
struct LeadForm {
  double length;
  LeadShape shape;
  int scrapSide;
  double arcTolerance;
};

// The lead-out from end, leaving in direction (a unit vector) into the scrap: an arc a quarter
// turn long that starts tangent to the direction, or a line at 45 degrees to it. The points
// after end, the last one where the torch goes off.
std::vector<TorchPoint> LeadOut(const TorchPoint& end, PlaneVector direction, const LeadForm& form);

// The lead-in to start, arriving in direction: the lead-out run backwards, from the pierce
// (the first point) to the last point before start.
std::vector<TorchPoint> LeadIn(const TorchPoint& start, PlaneVector direction,
                               const LeadForm& form);

// The longest length, up to `length`, at which the lead that `draw` gives for a length (all its
// points in order, the cut's point `anchor` included) keeps its whole kerf inside the closed
// curve `edge`: no point of it nearer the curve than halfKerf, or than the anchor itself is.
double LongestLeadInside(const std::vector<PlaneVector>& edge, double halfKerf,
                         const TorchPoint& anchor, double length,
                         const std::function<std::vector<TorchPoint>(double)>& draw);

}  // namespace korvex
