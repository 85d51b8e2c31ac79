#pragma once

namespace korvex {

class DrawList;
struct EndCut;
struct EndCutParameters;
struct JobParameters;
struct StepAngles;

// One computed end as drawn: the cutting body when displayCut is set, the outer and inner
// surface curves, the machine path and the flat pattern. steps are the unturned step angles.
void DrawEndCut(const EndCutParameters& end, const EndCut& cut, const JobParameters& job,
                const StepAngles& steps, bool displayCut, DrawList& list);

}  // namespace korvex
