#pragma once

#include <optional>
#include <string>

#include "domain/computed_job.h"
#include "domain/part_extents.h"
#include "toolpath/job_cuts.h"

namespace korvex {

// The part as its planned cuts leave it when the torch takes away kerf mm: each end's steel
// and the reach of its torch (every point, with half the kerf round it), on both surfaces of
// the wall. The torch stands on the line from its point on the outer surface to the inner
// surface that its tilt gives; the kerf is a disc round the torch's line on each surface.
PartExtents PartExtentsOf(const ComputedJob& job, const JobCuts& cuts, double kerf);

// Why the holes do not belong to the part, or nothing when they do: a hole whose cut (with half
// the kerf round every torch point, on either surface) meets an end's cut or another hole's,
// or lies beyond an end or inside another hole. Names the hole and the distance.
std::optional<std::string> HoleClearanceProblem(const ComputedJob& job, const JobCuts& cuts,
                                                const PartExtents& extents, double kerf);

}  // namespace korvex
