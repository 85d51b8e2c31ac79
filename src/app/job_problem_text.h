#pragma once

#include <string>
#include <vector>

#include "domain/job_problem.h"

namespace korvex {

// A problem as the operator reads it, naming the field as the panel shows it.
std::string JobProblemText(const JobProblem& problem);

// The field a problem is about as the operator reads it (the start of JobProblemText), e.g.
// "LEFT CUT DISTANCE" or "HOLE 2 branch-wall"; the problem's kind is not used.
std::string JobFieldName(const JobProblem& problem);

std::vector<std::string> JobProblemTexts(const std::vector<JobProblem>& problems);

}  // namespace korvex
