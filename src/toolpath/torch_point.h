#pragma once

namespace korvex {

// Where the torch is: x along the tube and y the unrolled circumference (mm), its tilt (degrees).
struct TorchPoint {
  double x, y, tilt;
};

// A direction or a step in the unrolled surface.
struct PlaneVector {
  double x, y;
};

}  // namespace korvex
