#pragma once

#include "domain/job_parameters.h"
#include "scene/job_scene.h"

namespace korvex {

class Panel;
struct ResultLengths;

// The job as the panel's texts and check states give it. Reading changes nothing.
JobParameters ReadJobParameters(const Panel& panel);

// The DISPLAY frame's check boxes.
DisplayOptions ReadDisplayOptions(const Panel& panel);

// Shows X LENGTH and Y LENGTH in the RESULT frame.
void ShowResultLengths(Panel& panel, const ResultLengths& lengths);

}  // namespace korvex
