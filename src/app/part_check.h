#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "domain/computed_job.h"
#include "domain/job_problem.h"
#include "domain/part.h"
#include "project/part_fields.h"

namespace korvex {

struct PartProblem {
  PartPlace place;
  std::string text;
};

// Either the part's job or every problem that keeps it from being computed.
struct PartCheck {
  std::optional<ComputedJob> job;
  std::vector<PartProblem> problems;
};

// The part's job as OPEN of its part file gives it (AT ANGLE the panel's default), computed as
// UPDATE PARAMS computes it, with what the part file reader refuses as well: a quantity out of
// range, a negative wall or end DIAMETER, too many holes. Its numbers are finite, as a part
// file's are.
PartCheck CheckPart(const Part& part);

// Where a problem of the job belongs.
PartPlace PlaceOf(const JobProblem& problem);

// The problem of a text typed at place that does not read as its number.
std::string UnreadableText(const PartPlace& place);

// A typed finite number: blanks around it and a leading "+" allowed, nothing else. Independent
// of the process locale.
std::optional<double> ReadNumberText(std::string_view text);
// A typed whole number, read as ReadNumberText reads a number.
std::optional<std::int64_t> ReadWholeText(std::string_view text);

// Writes the part file at path through a temporary file, so it is either untouched or
// complete. The refusal as the operator reads it when nothing was written.
std::optional<std::string> SavePartFile(const Part& part, const std::string& path);

}  // namespace korvex
