#include "rrbutton_geometry.h"

#include <algorithm>
#include <cmath>

namespace korvex {
namespace {

// Pixels left out at each end of row y by an elliptic corner of radii rx, ry.
int CornerInset(int y, int height, double rx, double ry) {
  const double centreY = y + 0.5;
  const double fromEdge = std::min(centreY, height - centreY);
  if (ry <= 0 || fromEdge >= ry) return 0;
  const double dy = (ry - fromEdge) / ry;
  const double dx = rx * std::sqrt(1.0 - dy * dy);
  return static_cast<int>(std::ceil(rx - dx - 0.5));
}

enum class Align { kStart, kCentre, kEnd };

int AlignedCoordinate(Align align, int extent, int size, int startMargin, int endMargin) {
  switch (align) {
    case Align::kStart:
      return startMargin;
    case Align::kCentre:
      return HalfRoundedToEven(extent - size) + startMargin;
    case Align::kEnd:
      return extent - size - endMargin;
  }
  return startMargin;
}

}  // namespace

QRegion RoundedRegion(QSize client, int corner) {
  const int width = client.width();
  const int height = client.height();
  if (width <= 0 || height <= 0) return {};
  const double rx = std::min(std::max(corner, 0), width) / 2.0;
  const double ry = std::min(std::max(corner, 0), height) / 2.0;
  QRegion region;
  for (int y = 0; y < height; ++y) {
    const int inset = CornerInset(y, height, rx, ry);
    if (width - 2 * inset > 0) region += QRect(inset, y, width - 2 * inset, 1);
  }
  return region;
}

int HalfRoundedToEven(int value) {
  const int lower = value >= 0 ? value / 2 : -((-value + 1) / 2);
  if (value % 2 == 0) return lower;
  return lower % 2 == 0 ? lower : lower + 1;
}

QPoint ImagePosition(const RRButtonState& state, QSize client) {
  const int code = state.imagePosition;
  if (code < -9 || code > -1) return {state.imageX, state.imageY};
  const int index = -code - 1;
  const auto column = static_cast<Align>(index % 3);
  const auto row = static_cast<Align>(index / 3);
  return {AlignedCoordinate(column, client.width(), state.imageWidth, state.imageMarginLeft,
                            state.imageMarginRight),
          AlignedCoordinate(row, client.height(), state.imageHeight, state.imageMarginTop,
                            state.imageMarginBottom)};
}

QRect CaptionRect(const RRButtonState& state, QSize client) {
  return QRect(QPoint(state.textMarginLeft, state.textMarginTop),
               QPoint(client.width() - state.textMarginRight - 1,
                      client.height() - state.textMarginBottom - 1));
}

QRect ShiftedCaptionRect(const RRButtonState& state, QSize client) {
  const QRect base = CaptionRect(state, client);
  return state.interactive() ? base.translated(1, 1) : base;
}

}  // namespace korvex
