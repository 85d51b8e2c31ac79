#pragma once

#include <string>
#include <vector>

#include "domain/computed_job.h"
#include "toolpath/torch_point.h"

namespace korvex {

// A point of one end's machine path: θ round the tube (radians), x along it, y the unrolled
// circumference (y = R·(π − θ), continued beyond one turn), the torch tilt (degrees), and the
// unit tangents of the unrolled curve arriving and leaving, the way θ grows: they differ at a
// corner, such as the horn tips of a tee of equal diameters. curvature is signed, above 0 where
// the curve turns left the way θ grows.
struct CurveSample {
  double theta, x, y, tilt;
  PlaneVector before, after;
  double curvature;
};

// "near D degrees round the tube", where the sample lies, for the operator.
std::string Where(const CurveSample& sample);

// One end's machine path over one turn, θ from thetaStart to thetaStart + 2π, in that order.
// tolerance 0: the computed steps of the end, with points at the ends of the turn when it
// starts between steps. tolerance > 0: the points that keep every chord within tolerance of
// the curve, always through the curve's extremes along the tube.
std::vector<CurveSample> SampleEndCurve(const ComputedJob& job, int side, double thetaStart,
                                        double tolerance);

}  // namespace korvex
