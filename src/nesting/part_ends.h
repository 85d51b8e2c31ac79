#pragma once

#include "domain/part_extents.h"

namespace korvex {

// The part's own length: the area of its outer surface as cut over the circumference. No
// nesting can give a part less stock than this.
double OwnLength(const PartExtents& part);

// From where its steel begins to where it ends, the farthest apart on either surface.
double ExtentOf(const PartExtents& part);

// The least length of steel between the part's ends over the angle and both surfaces; not
// above 0 when the ends' cuts cross and leave no material.
double NarrowestWidth(const PartExtents& part);

}  // namespace korvex
