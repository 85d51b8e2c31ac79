#pragma once

#include <string>
#include <vector>

namespace korvex {

struct JobParameters;
struct JobState;
struct ResultLengths;

// Names every field whose value the geometry cannot use; empty when the job can be computed.
std::vector<std::string> ValidateJob(const JobParameters& job, double atAngleDegrees);

// Names every end whose computed points, and the result lengths when they, are not finite.
std::vector<std::string> ValidateResults(const JobState& job, const ResultLengths& lengths);

}  // namespace korvex
