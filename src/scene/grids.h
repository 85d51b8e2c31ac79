#pragma once

#include <cstdint>

#include "scene/draw_list.h"

namespace korvex {

struct RgbComponents {
  double red = 0;
  double green = 0;
  double blue = 0;
};

// A colour packed as 0x00BBGGRR.
constexpr std::int32_t PackColour(int red, int green, int blue) {
  return red + 256 * green + 65536 * blue;
}

// The packed colour's components scaled to 0..1. Negative components are clamped to 0; bits
// above the blue byte raise blue above 1.
RgbComponents SplitColour(std::int32_t packed);

struct GridExtent {
  double first0, first1;    // range along the grid's first axis (X)
  double second0, second1;  // range along its second axis (Y or Z)
  double level;             // the plane's position on the remaining axis
  double firstSpacing, secondSpacing;
};

// One line primitive in the plane z = level: lines parallel to Y, then parallel to X.
void DrawGridXY(const GridExtent& grid, std::int32_t colour, DrawList& list);

// One line primitive in the plane y = level: lines parallel to Z, then parallel to X.
void DrawGridXZ(const GridExtent& grid, std::int32_t colour, DrawList& list);

}  // namespace korvex
