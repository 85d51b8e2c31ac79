#pragma once

#include <array>

#include "geometry/job_parameters.h"

namespace korvex {

class DrawList;
struct StepAngles;

// Everything one end's computation reads besides its shape.
struct EndCutContext {
  const EndCutParameters& end;
  const JobParameters& job;
  const StepAngles& drawSteps;  // step angles θ' without the end's turn
  const StepAngles& cutSteps;   // step angles θ = θ' + angleDiff
  bool displayCut = false;      // draw the cutting body
};

enum class CutShape { TubeJoint, Plane };

// Where one end is cut on the tube's outer (r = R) and inner (r = R − T) surface, steps 0..N.
struct CutSurfaces {
  std::array<double, kCutPointCapacity> outer{};
  std::array<double, kCutPointCapacity> inner{};
};

// side: -1 for the left end, +1 for the right; the tube joint faces the middle of the tube.
void ComputeCutSurfaces(CutShape shape, int side, const EndCutContext& context,
                        CutSurfaces& surfaces);

// Each computes the end into cut (entries 0..N) and records its drawing: the cutting body when
// displayCut is set, the outer and inner curves, the machine path and the flat pattern.
void ComputeTubeJointCut(int side, const EndCutContext& context, CutPoints& cut, DrawList& list);
void ComputePlaneCut(const EndCutContext& context, CutPoints& cut, DrawList& list);

}  // namespace korvex
