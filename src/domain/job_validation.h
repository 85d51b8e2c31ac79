#pragma once

#include <vector>

#include "domain/job_problem.h"

namespace korvex {

struct JobParameters;
struct ComputedJob;

// Every value of the job that the geometry cannot use; empty when the job can be computed.
std::vector<JobProblem> ValidateJob(const JobParameters& job, double atAngleDegrees);

// Every end whose computed points are not finite, or the result lengths when they are not.
std::vector<JobProblem> ValidateResults(const ComputedJob& job);

}  // namespace korvex
