#include "scene/grids.h"

#include <cmath>

namespace korvex {
namespace {

Vertex VertexXYZ(double x, double y, double z) {
  return {static_cast<float>(x), static_cast<float>(y), static_cast<float>(z)};
}

// Calls line(v) for v = start, start + spacing, ... while v has not passed end. The value is
// accumulated by addition; a zero spacing would never advance, so it draws nothing.
template <typename Line>
void ForEachGridLine(double start, double end, double spacing, Line line) {
  if (spacing == 0) return;
  for (double v = start; spacing > 0 ? v <= end : v >= end; v += spacing)
    line(v);
}

void BeginGrid(std::int32_t colour, DrawList& list) {
  const RgbComponents rgb = SplitColour(colour);
  list.beginLines({static_cast<float>(rgb.red), static_cast<float>(rgb.green),
                   static_cast<float>(rgb.blue), 1.0f});
}

}  // namespace

RgbComponents SplitColour(std::int32_t packed) {
  const double c = packed;
  double blue = std::floor(c / 65536);
  if (blue < 0) blue = 0;
  double green = std::floor(c / 256) - 256 * blue;
  if (green < 0) green = 0;
  double red = c - (65536 * blue + 256 * green);
  if (red < 0) red = 0;
  return {red / 255, green / 255, blue / 255};
}

void DrawGridXY(const GridExtent& g, std::int32_t colour, DrawList& list) {
  BeginGrid(colour, list);
  ForEachGridLine(g.first0, g.first1, g.firstSpacing, [&](double a) {
    list.addSegment(VertexXYZ(a, g.second0, g.level), VertexXYZ(a, g.second1, g.level));
  });
  ForEachGridLine(g.second0, g.second1, g.secondSpacing, [&](double b) {
    list.addSegment(VertexXYZ(g.first0, b, g.level), VertexXYZ(g.first1, b, g.level));
  });
}

void DrawGridXZ(const GridExtent& g, std::int32_t colour, DrawList& list) {
  BeginGrid(colour, list);
  ForEachGridLine(g.first0, g.first1, g.firstSpacing, [&](double a) {
    list.addSegment(VertexXYZ(a, g.level, g.second0), VertexXYZ(a, g.level, g.second1));
  });
  ForEachGridLine(g.second0, g.second1, g.secondSpacing, [&](double b) {
    list.addSegment(VertexXYZ(g.first0, g.level, b), VertexXYZ(g.first1, g.level, b));
  });
}

}  // namespace korvex
