#include "scene/job_scene.h"

#include "domain/computed_job.h"
#include "scene/cut_to_cut_lines.h"
#include "scene/draw_list.h"
#include "scene/end_cut_drawing.h"
#include "scene/grids.h"
#include "scene/hole_drawing.h"

namespace korvex {
namespace {

void DrawReferenceGrids(DrawList& list) {
  const GridExtent grid{-100, 100, -100, 100, 0, 10, 10};
  const std::int32_t grey = PackColour(200, 200, 200);
  DrawGridXY(grid, grey, list);
  DrawGridXZ(grid, grey, list);
}

void DrawAxes(DrawList& list) {
  list.beginLines({0, 0, 1, 1});
  list.addSegment({0, 0, 0}, {1000, 0, 0});
  list.addSegment({0, 0, 0}, {0, 1000, 0});
  list.addSegment({0, 0, 0}, {0, 0, 100});
}

// The measurement line along the tube in the plane of the flat patterns.
void DrawMeasurementLine(const ResultLengths& lengths, double mainRadius, DrawList& list) {
  const auto y = static_cast<float>(lengths.lineY);
  const auto z = static_cast<float>(-mainRadius);
  list.beginLines({0, 1, 0, 1});
  list.addSegment({static_cast<float>(lengths.xMax), y, z},
                  {static_cast<float>(lengths.xMin), y, z});
}

}  // namespace

void DrawJobScene(const ComputedJob& job, const DisplayOptions& display, DrawList& list) {
  const JobParameters& p = job.parameters;
  list.clear();
  if (display.referenceGrids) DrawReferenceGrids(list);
  DrawAxes(list);
  DrawEndCut(p.left, job.left, p, job.steps, display.cuttingBodies, list);
  DrawEndCut(p.right, job.right, p, job.steps, display.cuttingBodies, list);
  for (std::size_t k = 0; k < job.holes.size(); ++k)
    DrawHoleCut(p.holes[k], job.holes[k], p, display.cuttingBodies, list);
  DrawMeasurementLine(job.lengths, p.mainRadius, list);
  if (display.cutToCutLines) DrawCutToCutLines(job, list);
}

}  // namespace korvex
