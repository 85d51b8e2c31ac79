#pragma once

#include <optional>
#include <string>
#include <variant>

#include "domain/computed_job.h"
#include "domain/part_extents.h"
#include "toolpath/job_cuts.h"

namespace korvex {

struct MachineProfile;

// A part as one machine cuts it, planned once: the torch paths of its program, and what they
// leave with the kerf the torch takes away. Programs, cut times, nesting and the sheets all
// read it.
struct CutPart {
  ComputedJob job;
  JobCuts cuts;
  PartExtents extents;
  double kerf = 0;
};

// The part's cuts with the profile, and their extents with a kerf of kerf mm (at least the
// profile's own); why not, when the profile's options refuse a cut or a hole does not belong
// to the part (it meets an end's or another hole's cut, or lies beyond an end).
std::variant<CutPart, std::string> CutPartWith(ComputedJob job, const MachineProfile& profile,
                                               double kerf);

// The kerf a machine's parts are spaced by: the one given, or the profile's own; why not when
// the one given is narrower than the profile's, whose torch path allows for its own.
std::variant<double, std::string> KerfFor(std::optional<double> given,
                                          const MachineProfile& profile);

}  // namespace korvex
