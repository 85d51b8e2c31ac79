#pragma once

#include <optional>
#include <vector>

#include "domain/end_cut.h"
#include "domain/hole_cut.h"
#include "domain/job_parameters.h"
#include "domain/job_problem.h"
#include "domain/result_lengths.h"
#include "domain/step_angles.h"

namespace korvex {

// A job with both ends computed: what the picture, the program and the templates are made of.
struct ComputedJob {
  JobParameters parameters;
  StepAngles steps;  // the unturned step angles θ = 2·i·kPi/N, i = 0..N
  EndCut left;
  EndCut right;
  std::vector<HoleCut> holes;  // in the order of the job's holes
  ResultLengths lengths;
};

// Either the computed job or every problem that keeps it from being computed.
struct JobOutcome {
  std::optional<ComputedJob> job;
  std::vector<JobProblem> problems;
};

// Job in, curves out: validates the job and AT ANGLE, computes both end cuts, the holes and the
// result lengths, and refuses a job whose points or lengths come out not finite.
JobOutcome ComputeJob(const JobParameters& parameters, double atAngleDegrees);

}  // namespace korvex
