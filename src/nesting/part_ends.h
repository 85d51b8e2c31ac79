#pragma once

#include <vector>

namespace korvex {

struct ComputedJob;

// A part's ends where they cut the tube's outer surface: x along the tube (mm, the part's own
// frame) at the angles round the tube 360·i/n degrees, i = 0..n-1, the angles of the program's
// steps (0 at its first point). Between samples an end runs straight. At every angle the part's
// material lies between its left and its right end.
struct PartEnds {
  std::vector<double> left;
  std::vector<double> right;
};

// The outer-surface curves of both ends of a computed job.
PartEnds PartEndsOf(const ComputedJob& job);

// x of an end at any angle in degrees, straight between the samples.
double EndXAt(const std::vector<double>& end, double degrees);

// The part's own length: the area of its outer surface over the circumference, the mean over
// the angle round the tube of right − left. No nesting can give a part less stock than this.
double OwnLength(const PartEnds& ends);

// From the leftmost point of the left end to the rightmost point of the right end.
double ExtentOf(const PartEnds& ends);

// The least right − left over the angle; not above 0 when the ends cross and leave no material.
double NarrowestWidth(const PartEnds& ends);

}  // namespace korvex
