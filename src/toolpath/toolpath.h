#pragma once

#include <cstddef>
#include <string>
#include <variant>
#include <vector>

#include "domain/computed_job.h"
#include "toolpath/toolpath_options.h"
#include "toolpath/torch_point.h"

namespace korvex {

// What the torch follows for one end: points[0] is the pierce, reached by a rapid move with the
// torch off; every later point ends a move at the cutting feed: the lead-in, the loop round the
// tube, the overcut and the lead-out.
struct Toolpath {
  std::vector<TorchPoint> points;
  std::size_t loopStart = 0;   // the loop's first point, where the lead-in ends
  std::size_t loopEnd = 0;     // the loop's last point: its first one turn round the tube on
  std::size_t overcutEnd = 0;  // where the overcut ends and the lead-out starts
  // What the operator should know about the path, each a line naming the cut: a hole's leads
  // shortened to keep the pierce and the kerf inside the hole.
  std::vector<std::string> notes;
};

// The toolpath, or why the end cannot be cut with these options.
using ToolpathPlan = std::variant<Toolpath, std::string>;

// The toolpath of one end (side -1 the left end, +1 the right). The part lies toward the other
// end, the scrap toward the stock's end; the loop runs in the sense that keeps the part on the
// good side, so the two ends run opposite ways round the tube and the second starts where the
// first ended. With the default options the points are the end's computed points, in that
// sense.
ToolpathPlan PlanEndToolpath(const ComputedJob& job, int side, const ToolpathOptions& options);

// The toolpath of the job's hole number hole (from 0): the loop round its computed steps, from
// the step at the branch's +X side, in the sense that keeps the hole, the scrap, on the scrap
// side, so that kerf and leads go into the hole.
// A lead that would not keep all of its kerf inside the hole is shortened to the longest that
// does, with a note. The hole's curve is cut at its computed steps whatever the tolerance, and
// every hole starts at its own step 0.
ToolpathPlan PlanHoleToolpath(const ComputedJob& job, std::size_t hole,
                              const ToolpathOptions& options);

}  // namespace korvex
