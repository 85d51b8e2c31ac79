#pragma once

namespace korvex {

// The value of the job that a problem is about. The end and hole fields belong to the end or
// hole in JobProblem.
enum class JobField {
  CutSegments,
  MainDiameter,
  Thickness,
  Diameter,
  Angle,
  Distance,
  AngleDiff,
  Points,  // the end's computed points
  AtAngle,
  ResultLengths,
  Offset,
  HoleAt,
  HoleTurn,
  BranchDiameter,
  BranchWall,
  JoiningWall,  // an end's joining tube's wall, for an inside fit
};

enum class TubeEnd { None, Left, Right };

// Why the geometry cannot use a value.
enum class ProblemKind {
  NotFinite,
  SegmentsOutOfRange,   // not a whole number from 1 to kMaxCutSegments
  NotPositive,          // must be greater than 0
  NoWallFor3d,          // 3D MODE tilts the torch across the wall, so the wall needs a thickness
  AngleOutOfRange,      // |angle| must stay below 90 degrees
  SmallerThanMainTube,  // a joining tube narrower than the main tube cannot take the end
  TooLarge,             // finite, but what is computed from it is not
  PastTubeSide,         // the offset branch would hang past the side of the tube it meets
  Negative,             // must not be less than 0
  NoBore,               // a branch's wall must be less than its radius
  NoJoiningWall,        // an inside fit is cut to the joining tube's bore, which needs its wall
  WiderThanTube,        // the branch would hang past the side of the tube whatever the offset
  BoreWiderThanTube,    // a set-on branch's bore is wider than the tube's bore
  Uncovered,            // 3D MODE would cut the outer surface beyond a set-on branch's outside
  TooSteep,             // 3D MODE would lean the torch beyond kMaxHoleTilt
  NoTubeMet,            // round part of an end fitted against several tubes, none is met
};

struct JobProblem {
  JobField field;
  ProblemKind kind;
  TubeEnd end = TubeEnd::None;
  int hole = 0;  // the hole the problem is about, counted from 1; 0 for the tube and its ends
  // The value the field may take, in the operator's units (mm, a diameter as a diameter,
  // degrees), for SmallerThanMainTube, PastTubeSide and the kinds after NoBore: the least for
  // SmallerThanMainTube and a branch's wall, otherwise the greatest either way.
  double limit = 0;
  int tube = 0;  // an end's further joining tube, counted from 1; 0 for the end's own values
  double fromDegrees = 0, toDegrees = 0;  // where round the end none is met (NoTubeMet)
  friend bool operator==(const JobProblem&, const JobProblem&) = default;
};

}  // namespace korvex
