#pragma once

#include <string>
#include <vector>

#include "domain/job_problem.h"

namespace korvex {

// A problem as the operator reads it, naming the field as the panel shows it.
std::string JobProblemText(const JobProblem& problem);

std::vector<std::string> JobProblemTexts(const std::vector<JobProblem>& problems);

}  // namespace korvex
