#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "domain/frame.h"

namespace korvex {

// A frame drawn as a 3D sketch in a DXF file: LINE entities and the straight segments of
// polylines, one member each, the layer naming the tube.

// A tube given for a layer: --tube LAYER=DxT.
struct LayerTube {
  std::string layer;
  double diameter = 0;
  double wall = 0;
};

// "48.3x3.2" as a tube's outside diameter and wall, or nothing when it is not one.
std::optional<LayerTube> TubeSizeOf(std::string_view text);

struct SketchReading {
  std::optional<Frame> frame;
  std::string refusal;
};

// Reads the sketch: ends within kNodeTolerance are one node (N1, N2, ... in the order met),
// members are M1, M2, ... in the drawing's order, each layer's tube is the one given for it or
// the size its name spells. Lengths are taken in the drawing's units ($INSUNITS) as mm.
SketchReading ReadFrameSketch(const std::string& path, const std::vector<LayerTube>& tubes);

// True when the path names a DXF file, in any case.
bool IsSketchPath(std::string_view path);

}  // namespace korvex
