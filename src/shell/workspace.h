#pragma once

#include <string>

#include "geometry/job_state.h"
#include "view/draw_list.h"

namespace korvex {

// The process-wide state of one running program: the last accepted job with its picture, and
// the current project.
struct Workspace {
  JobState job;
  DrawList scene;
  DrawList nextScene;       // where a rebuild draws; swapped with scene when the job is accepted
  std::string projectPath;  // the project last chosen in the open or save prompt
  int cutObjectCount = 0;   // objects the next G-code header announces
};

}  // namespace korvex
