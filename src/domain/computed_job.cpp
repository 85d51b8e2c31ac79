#include "domain/computed_job.h"

#include "domain/job_validation.h"

namespace korvex {

JobOutcome ComputeJob(const JobParameters& parameters, double atAngleDegrees) {
  JobOutcome outcome;
  outcome.problems = ValidateJob(parameters, atAngleDegrees);
  if (!outcome.problems.empty()) return outcome;

  ComputedJob& job = outcome.job.emplace();
  job.parameters = parameters;
  const int n = parameters.cutSegments;
  job.steps.compute(n, 0);
  job.left = ComputeEndCut(-1, parameters.left, parameters, job.steps);
  job.right = ComputeEndCut(+1, parameters.right, parameters, job.steps);
  for (const HoleParameters& hole : parameters.holes)
    job.holes.push_back(ComputeHoleCut(hole, parameters));
  job.lengths =
      MeasureResultLengths(job.left.path, job.right.path, n, parameters.mainRadius, atAngleDegrees);

  outcome.problems = ValidateResults(job);
  if (!outcome.problems.empty()) outcome.job.reset();
  return outcome;
}

}  // namespace korvex
