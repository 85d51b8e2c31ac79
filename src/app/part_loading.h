#pragma once

#include <string>
#include <variant>

#include "domain/computed_job.h"
#include "domain/part.h"

namespace korvex {

// A part read from a file: a .kvx project, its lines read as the panel reads them and the
// panel's defaults for what it does not hold, or a .kvxp part file. Why not, when it cannot be
// read or is refused ("FILE:LINE: reason" for a part file).
std::variant<Part, std::string> ReadPart(const std::string& path);

// A part with its job computed as UPDATE PARAMS computes it, AT ANGLE the panel's default.
struct LoadedPart {
  Part part;
  ComputedJob job;
};

// The part's job, or why it is refused: every problem in the operator's words, joined by "; ".
std::variant<ComputedJob, std::string> ComputePartJob(const Part& part, double atAngleDegrees);

// The one place a part is loaded from a path: read, then computed; why not ("not opened: ..."
// or "job refused: ...").
std::variant<LoadedPart, std::string> LoadPart(const std::string& path);
// A part already read, computed as LoadPart computes it.
std::variant<LoadedPart, std::string> LoadedPartOf(Part part);

}  // namespace korvex
