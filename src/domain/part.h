#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "domain/computed_job.h"
#include "domain/job_parameters.h"
#include "domain/job_problem.h"

namespace korvex {

// A part in the operator's units (millimetres, degrees, diameters): what a project or a part
// file holds, what the panel and the part editor show, and what the job is made of. One value
// type for every layer; each reader, writer and view is an adapter onto it.

// How a fitted end meets the joining tube: standing on its outer surface, or fitting its inner
// surface (a branch set into a hole), whose bore is the joining tube's diameter less two walls.
enum class EndFit { Outside, Inside };

// A further tube a fitted end fits against, beside the one the end's own values describe.
struct PartJoint {
  double distance = 0;
  double diameter = 0;  // its outside
  double angle = 0;
  double turn = 0;
  double offset = 0;
  friend bool operator==(const PartJoint&, const PartJoint&) = default;
};

struct PartEnd {
  double distance = 0;
  double diameter = 0;  // the joining tube's outside
  double angle = 0;
  double turn = 0;  // Angle DIFF
  bool oval = false;
  bool compensation = false;
  bool mode3d = false;
  double offset = 0;
  EndFit fit = EndFit::Outside;
  double joiningWall = 0;  // the joining tube's wall, which an inside fit needs
  // With CUT OVAL the end fits these tubes' outsides too, where the tube meets them first.
  std::vector<PartJoint> joints = {};
  friend bool operator==(const PartEnd&, const PartEnd&) = default;
};

struct PartHole {
  double at = 0;
  double turn = 0;
  double branchDiameter = 0;
  double branchWall = 0;
  double angle = 0;
  double offset = 0;
  HoleFit fit = HoleFit::SetOn;
  bool compensation = false;
  bool mode3d = false;
  friend bool operator==(const PartHole&, const PartHole&) = default;
};

struct Part {
  std::string name;
  std::int64_t quantity = 1;
  double diameter = 0;
  double wall = 0;
  std::int64_t segments = 0;
  std::string angleLetter;
  PartEnd left;
  PartEnd right;
  std::vector<PartHole> holes;
  friend bool operator==(const Part&, const Part&) = default;
};

// The most holes a part holds: a program numbers its objects with three digits, two for the
// ends.
inline constexpr std::size_t kMaxPartHoles = 997;

// The most further joining tubes an end fits against.
inline constexpr std::size_t kMaxPartJoints = 64;

// The end's values, both ends of the part.
inline PartEnd& EndOf(Part& part, TubeEnd end) {
  return end == TubeEnd::Left ? part.left : part.right;
}
inline const PartEnd& EndOf(const Part& part, TubeEnd end) {
  return end == TubeEnd::Left ? part.left : part.right;
}

// The diameter a fitted end is cut to: the joining tube's outside, or for an inside fit its
// bore.
double FittedDiameter(const PartEnd& end);

// Why an end's fit cannot be cut: an inside fit without the joining tube's wall (the bore would
// silently be taken as the outside: NoJoiningWall), or a wall that leaves no bore (NoBore).
std::optional<ProblemKind> FitProblem(const PartEnd& end);

// True when a 19-line project would lose part of the job: an offset, an inside fit, a hole or a
// further joining tube.
bool NeedsPartFile(const Part& part);

// The job the part describes, with the fitted diameters of its ends.
JobParameters JobOf(const Part& part);

// The part's job computed as ComputeJob computes it, refused also for an end whose fit cannot
// be cut.
JobOutcome ComputePart(const Part& part, double atAngleDegrees);

}  // namespace korvex
