#pragma once

#include <string>

#include "domain/computed_job.h"
#include "domain/part.h"
#include "gcode/gcode_writer.h"
#include "scene/draw_list.h"

namespace korvex {

// The process-wide state of one running program: the last accepted job with its picture, and
// the current project.
struct Workspace {
  ComputedJob job;
  DrawList scene;
  DrawList nextScene;       // where a rebuild draws; swapped with scene when the job is accepted
  std::string projectPath;  // the project last chosen in the open or save prompt
  Part part;  // the open part: the panel shows its tube and ends, the rest is kept here
  int cutObjectCount = 0;   // objects the next G-code header announces
};

// Makes next the workspace's job and nextScene its picture. The cut point arrays are never
// resized: the entries above next's N keep what an earlier job with a larger N left.
void AcceptJob(Workspace& workspace, ComputedJob&& next);

// The header of the workspace's program: its project, the job's ANGLE LETTER and main tube
// DIAMETER, and the object count.
ProgramHeader ProgramHeaderFor(const Workspace& workspace);

}  // namespace korvex
