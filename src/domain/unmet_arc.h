#pragma once

#include <optional>

#include "domain/job_parameters.h"

namespace korvex {

// Angles round a tube, radians from the seam, unturned like the step angles: from, then on to.
struct Arc {
  double from = 0;
  double to = 0;
};

// The first stretch round the tube (from the seam on) where the surface line at radius r meets
// none of the tubes a fitted end fits against; nothing when every angle meets one. Stretches
// narrower than rounding, where two tubes touch, are not counted.
std::optional<Arc> UnmetArc(const EndCutParameters& end, double r);

}  // namespace korvex
