#pragma once

#include <string>
#include <variant>
#include <vector>

#include "domain/computed_job.h"
#include "toolpath/toolpath.h"

namespace korvex {

// The torch paths of a job's cuts in the program's order: the left end, the right end, then the
// holes in their order.
using JobCuts = std::vector<Toolpath>;

// Plans every cut of the job once. asComputed: each cut's computed points as they stand, pierced
// at step 0 (the described program); otherwise the paths the options plan. Why not, when the
// options refuse a cut.
std::variant<JobCuts, std::string> PlanJobCuts(const ComputedJob& job,
                                               const ToolpathOptions& options, bool asComputed);

// What the operator should know about the cuts, one line each naming its cut: a hole's leads
// shortened to stay inside it.
std::vector<std::string> NotesOf(const JobCuts& cuts);

}  // namespace korvex
