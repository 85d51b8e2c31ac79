#pragma once

#include "scene/draw_list.h"

namespace korvex {

// The colours every cut is drawn in, ends and holes alike.
inline constexpr Rgba kCuttingBodyColour{0, 1, 0, 1};
inline constexpr Rgba kSurfaceCurveColour{0, 1, 1, 1};
inline constexpr Rgba kMachinePathColour{1, 0, 0, 1};
inline constexpr Rgba kFlatPatternColour{0, 0, 0, 1};

}  // namespace korvex
