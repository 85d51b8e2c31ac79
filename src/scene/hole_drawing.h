#pragma once

namespace korvex {

class DrawList;
struct HoleCut;
struct HoleParameters;
struct JobParameters;

// One computed hole as drawn, in the ends' colours and line widths: the branch's surface lines
// out from the hole when displayCut is set, the outer and inner surface curves, the machine
// path on the outer surface and the flat pattern in the plane z = −R.
void DrawHoleCut(const HoleParameters& hole, const HoleCut& cut, const JobParameters& job,
                 bool displayCut, DrawList& list);

}  // namespace korvex
