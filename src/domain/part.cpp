#include "domain/part.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace korvex {
namespace {

EndCutParameters EndCutOf(const PartEnd& end) {
  EndCutParameters cut;
  cut.cutOval = end.oval;
  cut.joinRadius = FittedDiameter(end) / 2;
  cut.angle = Radians(end.angle);
  cut.distance = end.distance;
  cut.angleDiff = Radians(end.turn);
  cut.compensation = end.compensation ? 1 : 0;
  cut.mode3d = end.mode3d ? 1 : 0;
  cut.offset = end.offset;
  for (const PartJoint& joint : end.joints) {
    cut.moreTubes.push_back({joint.diameter / 2, Radians(joint.angle), joint.distance,
                             Radians(joint.turn), joint.offset});
  }
  return cut;
}

HoleParameters HoleOf(const PartHole& hole) {
  HoleParameters parameters;
  parameters.at = hole.at;
  parameters.turn = Radians(hole.turn);
  parameters.branchRadius = hole.branchDiameter / 2;
  parameters.branchWall = hole.branchWall;
  parameters.angle = Radians(hole.angle);
  parameters.offset = hole.offset;
  parameters.fit = hole.fit;
  parameters.compensation = hole.compensation ? 1 : 0;
  parameters.mode3d = hole.mode3d ? 1 : 0;
  return parameters;
}

}  // namespace

double FittedDiameter(const PartEnd& end) {
  return end.fit == EndFit::Inside ? end.diameter - 2 * end.joiningWall : end.diameter;
}

std::optional<ProblemKind> FitProblem(const PartEnd& end) {
  if (end.fit != EndFit::Inside) return std::nullopt;
  if (!(end.joiningWall > 0)) return ProblemKind::NoJoiningWall;
  if (!(end.diameter - 2 * end.joiningWall > 0)) return ProblemKind::NoBore;
  return std::nullopt;
}

bool NeedsPartFile(const Part& part) {
  return part.left.offset != 0 || part.right.offset != 0 || part.left.fit == EndFit::Inside ||
         part.right.fit == EndFit::Inside || !part.holes.empty() || !part.left.joints.empty() ||
         !part.right.joints.empty();
}

JobParameters JobOf(const Part& part) {
  JobParameters job;
  job.axisLetter = part.angleLetter;
  job.cutSegments = static_cast<int>(std::clamp<std::int64_t>(part.segments, INT_MIN, INT_MAX));
  job.mainRadius = part.diameter / 2;
  job.mainDiameter = 2 * job.mainRadius;
  job.wallThickness = part.wall;
  job.left = EndCutOf(part.left);
  job.right = EndCutOf(part.right);
  for (const PartHole& hole : part.holes)
    job.holes.push_back(HoleOf(hole));
  return job;
}

JobOutcome ComputePart(const Part& part, double atAngleDegrees) {
  JobOutcome outcome = ComputeJob(JobOf(part), atAngleDegrees);
  std::vector<JobProblem> fits;
  for (const TubeEnd end : {TubeEnd::Left, TubeEnd::Right}) {
    if (const auto kind = FitProblem(EndOf(part, end))) fits.push_back({JobField::JoiningWall, *kind, end});
  }
  if (!fits.empty()) {
    outcome.job.reset();
    outcome.problems.insert(outcome.problems.begin(), fits.begin(), fits.end());
  }
  return outcome;
}

}  // namespace korvex
