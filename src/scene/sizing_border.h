#pragma once

namespace korvex {

// A rectangle in its parent's pixels.
struct PixelBox {
  int x, y, width, height;
  friend bool operator==(const PixelBox&, const PixelBox&) = default;
};

// The edges of a box that a drag on its sizing border moves; corners grab two.
enum SizingEdge : int {
  kNoEdge = 0,
  kLeftEdge = 1,
  kTopEdge = 2,
  kRightEdge = 4,
  kBottomEdge = 8,
};

// The edges grabbed at (x, y), a point in the box's own pixels, with a border that wide.
int EdgesAt(int width, int height, int x, int y, int border);

// The box after the grabbed edges moved by (dx, dy): never smaller than minimum in either
// direction and never beyond bounds.
PixelBox DraggedBox(PixelBox start, int edges, int dx, int dy, int minimum, PixelBox bounds);

}  // namespace korvex
