#pragma once

#include "rrbutton_colors.h"
#include "rrbutton_state.h"

namespace korvex {

// Brings the face colour, the palette entries and the face brush in line with the current
// system colours. A face that followed the system button face (itself or its lighter shade)
// keeps following it; a face the program chose stays.
void RunColorSetup(RRButtonState& state, const SystemColours& colours);

// The reaction to changed system colours: a pure black or white button face is forced onto the
// face and the caption colours follow the system button text. Returns whether it applied.
bool ApplySystemColourChange(RRButtonState& state, const SystemColours& colours);

}  // namespace korvex
