#pragma once

namespace korvex {

// The tube's rotation in degrees that brings the unrolled position y (mm) under the torch, on a
// tube of outer diameter D: A = 360 * y / (pi * D). The cut's y runs continuously from +pi*R to
// -pi*R, so its angles do too: they never wrap.
double RotationDegrees(double y, double tubeDiameter);

// The torch's path on the tube's outer surface between two points: unrolled, the surface is a
// plane, so the path is the straight line of the along-tube step dx and the unrolled step dy.
double SurfaceLength(double dx, double dy);

// The inverse-time F word (1/min) of a move of surfaceLength mm at cuttingFeed mm/min, so that the
// move takes surfaceLength / cuttingFeed minutes. A move that only tilts the torch has no surface
// length; it takes the time of kShortestMove.
double InverseTimeFeed(double surfaceLength, double cuttingFeed);

inline constexpr double kShortestMove = 0.001;  // mm

}  // namespace korvex
