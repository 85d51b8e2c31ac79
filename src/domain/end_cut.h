#pragma once

#include <array>
#include <vector>

#include "domain/job_parameters.h"

namespace korvex {

struct StepAngles;

enum class CutShape { TubeJoint, Plane };

// The end's shape as its parameters choose it.
inline CutShape ShapeOf(const EndCutParameters& end) {
  return end.cutOval ? CutShape::TubeJoint : CutShape::Plane;
}

// Every tube an end fits against with CUT OVAL: the one its own values describe, then the
// further ones.
std::vector<JoiningTube> JoiningTubesOf(const EndCutParameters& end);

// True when a fitted end meets more than one tube.
inline bool FitsSeveralTubes(const EndCutParameters& end) {
  return end.cutOval && !end.moreTubes.empty();
}

// True when the tube's surface line at radius r, at the angle whose sine (turned by the joining
// tube's angleDiff) is given, meets that tube.
bool MeetsJoiningTube(const JoiningTube& tube, double r, double sinTurned);

// Where one end is cut on the tube's outer (r = R) and inner (r = R − T) surface, steps 0..N.
struct CutSurfaces {
  std::array<double, kCutPointCapacity> outer{};
  std::array<double, kCutPointCapacity> inner{};
};

// One computed end: its surface curves and the machine path. The path's x and y are also the
// end's flat pattern, unrolled round the tube.
struct EndCut {
  CutSurfaces surfaces;
  CutPoints path;
};

// The end's surface curves, with cutSteps the step angles turned by the end's angleDiff. side:
// -1 for the left end, +1 for the right; the tube joint faces the middle of the tube.
CutSurfaces ComputeCutSurfaces(CutShape shape, int side, const EndCutParameters& end,
                               const JobParameters& job, const StepAngles& cutSteps);

// Computes one end, entries 0..N, from the unturned step angles of the job.
EndCut ComputeEndCut(int side, const EndCutParameters& end, const JobParameters& job,
                     const StepAngles& steps);

// An end's machine path at any angle θ round the tube (radians from the seam, unturned like
// the step angles): at θ = StepAngle(i, N) it is the path's x[i] and z[i].
struct MachinePathPoint {
  double x;     // along the tube, mm
  double tilt;  // degrees
};
MachinePathPoint MachinePathAt(int side, const EndCutParameters& end, const JobParameters& job,
                               double theta);

}  // namespace korvex
