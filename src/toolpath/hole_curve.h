#pragma once

#include <cstddef>
#include <vector>

#include "domain/computed_job.h"
#include "toolpath/curve_sampling.h"

namespace korvex {

// A hole's machine path as a closed loop, the way φ grows round the branch: its computed steps,
// each with the path's own tangents either side, so that a step at a corner of the path gets
// the corner's arc when offset; the last sample repeats the first. theta is the sample's angle
// round the tube, for refusals.
std::vector<CurveSample> SampleHoleCurve(const ComputedJob& job, std::size_t hole);

}  // namespace korvex
