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

// A hole that does not belong to its part: which (from 0) and why, naming the distance.
struct HoleClearance {
  std::size_t hole = 0;
  std::string text;
};

// The first hole whose cut (with half the kerf round every torch point, on either surface)
// meets an end's cut or another hole's, or that lies beyond an end or inside another hole;
// nothing when every hole belongs to the part.
std::optional<HoleClearance> HoleClearanceProblem(const ComputedJob& job, const JobCuts& cuts,
                                                  const PartExtents& extents, double kerf);

}  // namespace korvex
