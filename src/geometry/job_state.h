#pragma once

#include "geometry/job_parameters.h"

namespace korvex {

// What the last accepted rebuild computed; the G-code writer reads it.
struct JobState {
  JobParameters parameters;
  CutPoints leftCut;
  CutPoints rightCut;
};

}  // namespace korvex
