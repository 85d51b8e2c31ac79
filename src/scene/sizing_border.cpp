#include "scene/sizing_border.h"

#include <algorithm>

namespace korvex {
namespace {

// One axis: the moved low and high ends of [low, high] within [floor, ceiling].
struct Span {
  int low, high;
};

Span DraggedSpan(Span span, bool lowMoves, bool highMoves, int delta, int minimum, int floor,
                 int ceiling) {
  if (lowMoves) span.low = std::clamp(span.low + delta, floor, span.high - minimum);
  if (highMoves) span.high = std::clamp(span.high + delta, span.low + minimum, ceiling);
  return span;
}

}  // namespace

int EdgesAt(int width, int height, int x, int y, int border) {
  int edges = kNoEdge;
  if (x < border) edges |= kLeftEdge;
  if (x >= width - border) edges |= kRightEdge;
  if (y < border) edges |= kTopEdge;
  if (y >= height - border) edges |= kBottomEdge;
  return edges;
}

PixelBox DraggedBox(PixelBox start, int edges, int dx, int dy, int minimum, PixelBox bounds) {
  const Span horizontal =
      DraggedSpan({start.x, start.x + start.width}, edges & kLeftEdge, edges & kRightEdge, dx,
                  minimum, bounds.x, bounds.x + bounds.width);
  const Span vertical =
      DraggedSpan({start.y, start.y + start.height}, edges & kTopEdge, edges & kBottomEdge, dy,
                  minimum, bounds.y, bounds.y + bounds.height);
  return {horizontal.low, vertical.low, horizontal.high - horizontal.low,
          vertical.high - vertical.low};
}

}  // namespace korvex
