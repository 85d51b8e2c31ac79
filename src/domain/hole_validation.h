#pragma once

#include <vector>

#include "domain/job_problem.h"

namespace korvex {

struct JobParameters;
struct HoleParameters;

// Appends every problem of hole number `number` (from 1): values that are not finite or out of
// range, a branch that would not sit on the tube, and in 3D MODE a cut the machine's tilt axis
// cannot make. Each problem about the branch's fit names the value that causes it with the
// value it may take. The tube's values must be sound.
void ValidateHole(std::vector<JobProblem>& problems, const JobParameters& job,
                  const HoleParameters& hole, int number);

}  // namespace korvex
