#include "geometry/job_validation.h"

#include <cmath>

#include "geometry/job_state.h"
#include "geometry/result_lengths.h"

namespace korvex {
namespace {

using Problems = std::vector<std::string>;

void RequireFinite(Problems& problems, double value, const std::string& field) {
  if (!std::isfinite(value)) problems.push_back(field + " is not a finite number");
}

void ValidateEnd(Problems& problems, const JobParameters& job, const EndCutParameters& end,
                 const std::string& frame) {
  RequireFinite(problems, end.joinRadius, frame + " DIAMETER");
  RequireFinite(problems, end.distance, frame + " DISTANCE");
  RequireFinite(problems, end.angleDiff, frame + " Angle DIFF");
  if (!(std::fabs(end.angle) < kPi / 2)) {
    problems.push_back(frame + " ANGLE must lie between -90 and 90 degrees");
  }
  if (end.cutOval && std::isfinite(end.joinRadius) && !(end.joinRadius >= job.mainRadius)) {
    problems.push_back(frame +
                       " DIAMETER must not be smaller than the MAIN TUBE DIAMETER for CUT OVAL");
  }
}

bool FiniteUpTo(const auto& values, int n) {
  for (int i = 0; i <= n; ++i) {
    if (!std::isfinite(values[i])) return false;
  }
  return true;
}

bool FinitePoints(const CutPoints& cut, int n) {
  return FiniteUpTo(cut.x, n) && FiniteUpTo(cut.y, n) && FiniteUpTo(cut.z, n);
}

}  // namespace

std::vector<std::string> ValidateJob(const JobParameters& job, double atAngleDegrees) {
  Problems problems;
  if (job.cutSegments < 1 || job.cutSegments > kMaxCutSegments) {
    problems.push_back("CUT SEGMENTS must be a whole number from 1 to 1000");
  }
  if (!(job.mainRadius > 0) || !std::isfinite(job.mainRadius)) {
    problems.push_back("MAIN TUBE DIAMETER must be a number greater than 0");
  }
  RequireFinite(problems, job.wallThickness, "THICKNESS");
  const bool tilted = job.left.mode3d == 1 || job.right.mode3d == 1;
  if (tilted && !(job.wallThickness > 0)) {
    problems.push_back("THICKNESS must be greater than 0 for 3D MODE");
  }
  ValidateEnd(problems, job, job.left, "LEFT CUT");
  ValidateEnd(problems, job, job.right, "RIGHT CUT");
  RequireFinite(problems, atAngleDegrees, "AT ANGLE");
  return problems;
}

std::vector<std::string> ValidateResults(const JobState& job, const ResultLengths& lengths) {
  Problems problems;
  const int n = job.parameters.cutSegments;
  if (!FinitePoints(job.leftCut, n))
    problems.push_back("LEFT CUT gives points that are not finite");
  if (!FinitePoints(job.rightCut, n)) {
    problems.push_back("RIGHT CUT gives points that are not finite");
  }
  if (problems.empty() && !(std::isfinite(lengths.xLength()) && std::isfinite(lengths.yLength()) &&
                            std::isfinite(lengths.lineY))) {
    problems.push_back("the RESULT lengths are not finite; the job's values are too large");
  }
  return problems;
}

}  // namespace korvex
