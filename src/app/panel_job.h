#pragma once

#include "scene/job_scene.h"

namespace korvex {

class Panel;
struct ResultLengths;

// The DISPLAY frame's check boxes.
DisplayOptions ReadDisplayOptions(const Panel& panel);

// Shows X LENGTH and Y LENGTH in the RESULT frame.
void ShowResultLengths(Panel& panel, const ResultLengths& lengths);

}  // namespace korvex
