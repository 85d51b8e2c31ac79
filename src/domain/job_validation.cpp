#include "domain/job_validation.h"

#include <cmath>

#include "domain/computed_job.h"
#include "domain/hole_validation.h"
#include "domain/unmet_arc.h"

namespace korvex {
namespace {

using Problems = std::vector<JobProblem>;

void RequireFinite(Problems& problems, double value, JobField field, TubeEnd end = TubeEnd::None) {
  if (!std::isfinite(value)) problems.push_back({field, ProblemKind::NotFinite, end});
}

// An end fitted against several tubes: each tube's values, then every angle round the end, on
// both surfaces of the wall, must meet one of them.
void ValidateSeveralTubes(Problems& problems, const JobParameters& job, const EndCutParameters& end,
                          TubeEnd which) {
  const std::size_t before = problems.size();
  const std::vector<JoiningTube> tubes = JoiningTubesOf(end);
  for (std::size_t k = 0; k < tubes.size(); ++k) {
    const JoiningTube& tube = tubes[k];
    auto refuse = [&](JobField field, ProblemKind kind) {
      JobProblem problem{field, kind, which};
      problem.tube = static_cast<int>(k);
      problems.push_back(problem);
    };
    for (const auto& [value, field] : {std::pair{tube.joinRadius, JobField::Diameter},
                                       std::pair{tube.distance, JobField::Distance},
                                       std::pair{tube.angleDiff, JobField::AngleDiff},
                                       std::pair{tube.offset, JobField::Offset}}) {
      if (!std::isfinite(value)) refuse(field, ProblemKind::NotFinite);
    }
    if (!(tube.joinRadius > 0)) refuse(JobField::Diameter, ProblemKind::NotPositive);
    if (!(std::fabs(tube.angle) < kPi / 2)) refuse(JobField::Angle, ProblemKind::AngleOutOfRange);
  }
  if (problems.size() != before || !std::isfinite(job.wallThickness)) return;
  for (const double r : {job.mainRadius, job.mainRadius - job.wallThickness}) {
    if (const auto arc = UnmetArc(end, r)) {
      JobProblem& problem =
          problems.emplace_back(JobProblem{JobField::Points, ProblemKind::NoTubeMet, which});
      problem.fromDegrees = arc->from * 180 / kPi;
      problem.toDegrees = arc->to * 180 / kPi;
      return;
    }
  }
}

void ValidateEnd(Problems& problems, const JobParameters& job, const EndCutParameters& end,
                 TubeEnd which) {
  if (FitsSeveralTubes(end)) return ValidateSeveralTubes(problems, job, end, which);
  RequireFinite(problems, end.joinRadius, JobField::Diameter, which);
  RequireFinite(problems, end.distance, JobField::Distance, which);
  RequireFinite(problems, end.angleDiff, JobField::AngleDiff, which);
  if (!(std::fabs(end.angle) < kPi / 2)) {
    problems.push_back({JobField::Angle, ProblemKind::AngleOutOfRange, which});
  }
  RequireFinite(problems, end.offset, JobField::Offset, which);
  if (!end.cutOval || !std::isfinite(end.joinRadius)) return;
  if (!(end.joinRadius >= job.mainRadius)) {
    problems.push_back(
        {JobField::Diameter, ProblemKind::SmallerThanMainTube, which, 0, job.mainDiameter});
  } else if (std::isfinite(end.offset) &&
             !(std::fabs(end.offset) + job.mainRadius <= end.joinRadius)) {
    problems.push_back(
        {JobField::Offset, ProblemKind::PastTubeSide, which, 0, end.joinRadius - job.mainRadius});
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

bool WithinProgramRange(const CutPoints& cut, int n) {
  for (const auto* values : {&cut.x, &cut.y, &cut.z}) {
    for (int i = 0; i <= n; ++i) {
      if (!(std::fabs((*values)[i]) < kMaxProgramCoordinate)) return false;
    }
  }
  return true;
}

void RequireProgramRange(Problems& problems, const CutPoints& cut, int n, TubeEnd end) {
  if (!WithinProgramRange(cut, n))
    problems.push_back({JobField::Points, ProblemKind::TooLarge, end});
}

}  // namespace

std::vector<JobProblem> ValidateJob(const JobParameters& job, double atAngleDegrees) {
  Problems problems;
  if (job.cutSegments < 1 || job.cutSegments > kMaxCutSegments) {
    problems.push_back({JobField::CutSegments, ProblemKind::SegmentsOutOfRange});
  }
  if (!(job.mainRadius > 0) || !std::isfinite(job.mainRadius)) {
    problems.push_back({JobField::MainDiameter, ProblemKind::NotPositive});
  } else if (!(kPi * job.mainRadius < kMaxProgramCoordinate)) {
    problems.push_back({JobField::MainDiameter, ProblemKind::TooLarge});  // Y runs to ±πR
  }
  RequireFinite(problems, job.wallThickness, JobField::Thickness);
  bool tilted = job.left.mode3d == 1 || job.right.mode3d == 1;
  for (const HoleParameters& hole : job.holes)
    tilted = tilted || hole.mode3d == 1;
  if (tilted && !(job.wallThickness > 0)) {
    problems.push_back({JobField::Thickness, ProblemKind::NoWallFor3d});
  }
  ValidateEnd(problems, job, job.left, TubeEnd::Left);
  ValidateEnd(problems, job, job.right, TubeEnd::Right);
  // The holes are measured against the tube's radii, so they wait until those are sound.
  if (problems.empty()) {
    for (std::size_t k = 0; k < job.holes.size(); ++k)
      ValidateHole(problems, job, job.holes[k], static_cast<int>(k) + 1);
  }
  RequireFinite(problems, atAngleDegrees, JobField::AtAngle);
  return problems;
}

std::vector<JobProblem> ValidateResults(const ComputedJob& job) {
  Problems problems;
  const int n = job.parameters.cutSegments;
  if (!FinitePoints(job.left.path, n)) {
    problems.push_back({JobField::Points, ProblemKind::NotFinite, TubeEnd::Left});
  }
  if (!FinitePoints(job.right.path, n)) {
    problems.push_back({JobField::Points, ProblemKind::NotFinite, TubeEnd::Right});
  }
  for (std::size_t k = 0; k < job.holes.size(); ++k) {
    if (!FinitePoints(job.holes[k].path, n)) {
      problems.push_back(
          {JobField::Points, ProblemKind::NotFinite, TubeEnd::None, static_cast<int>(k) + 1});
    }
  }
  if (!problems.empty()) return problems;
  RequireProgramRange(problems, job.left.path, n, TubeEnd::Left);
  RequireProgramRange(problems, job.right.path, n, TubeEnd::Right);
  for (std::size_t k = 0; k < job.holes.size(); ++k) {
    if (!WithinProgramRange(job.holes[k].path, n)) {
      problems.push_back(
          {JobField::Points, ProblemKind::TooLarge, TubeEnd::None, static_cast<int>(k) + 1});
    }
  }
  if (!problems.empty()) return problems;
  const ResultLengths& lengths = job.lengths;
  if (!(std::isfinite(lengths.xLength()) && std::isfinite(lengths.yLength()))) {
    problems.push_back({JobField::ResultLengths, ProblemKind::NotFinite});
  } else if (!std::isfinite(lengths.lineY)) {
    // The line's position grows with AT ANGLE without bound.
    problems.push_back({JobField::AtAngle, ProblemKind::TooLarge});
  }
  return problems;
}

}  // namespace korvex
