#pragma once

namespace korvex {

class DrawList;
struct ComputedJob;

// What the DISPLAY frame adds to the picture.
struct DisplayOptions {
  bool referenceGrids = false;
  bool cutToCutLines = false;  // the tube between the cuts
  bool cuttingBodies = false;
};

// The whole picture of a computed job, replacing what list held: the reference grids, the
// axes, each end's and hole's curves, the measurement line and the tube between the cuts.
void DrawJobScene(const ComputedJob& job, const DisplayOptions& display, DrawList& list);

}  // namespace korvex
