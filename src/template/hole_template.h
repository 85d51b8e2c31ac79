#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "template/band_drawing.h"

namespace korvex {

struct ComputedJob;

// Where a hole's template lies: the hole's curves, its centre (where the branch's axis meets
// the outer surface), and the reference edge it is measured from, the left end's: the end of
// the stock. The band reaches kHoleRoom beyond the hole and round the whole tube.
struct HoleExtent {
  double xMin = 0, xMax = 0, yMin = 0, yMax = 0;
  double xCentre = 0, yCentre = 0;
  double xReference = 0;
  double xLow = 0, xHigh = 0, yLow = 0, yHigh = 0;
};

inline constexpr double kHoleRoom = 10;

HoleExtent HoleExtentOf(const ComputedJob& job, std::size_t hole);

// The size of a hole's band sheet, found without drawing it.
SheetSize HoleDrawingSize(const ComputedJob& job, std::size_t hole);

std::string HoleTitle(std::size_t hole);  // "HOLE 1" for the first

// The hole's values and where its centre lies: along the tube from the reference edge, and
// round the tube as an angle from the seam and as mm down the template from its top seam.
std::string HoleLine(const ComputedJob& job, std::size_t hole);

// A hole's wrap-around template, laid out as an end's: along the tube to the right, round the
// tube downwards from the seam at 360 degrees to the seam at 0. Grid, seams and quarter marks,
// the reference edge, the hole's outer, inner and machine-path curves and its centre lines.
class HoleTemplate : public BandDrawing {
 public:
  HoleTemplate(const ComputedJob& job, std::size_t hole);

  const Sheet& sheet() const override { return sheet_; }
  SheetRect band() const override { return band_; }

  // The quarter marks' names at the band's left or right edge, and the hole's name and centre
  // beside its centre lines, each where it fits.
  std::vector<SheetText> textsWithin(const SheetRect& window,
                                     const std::vector<SheetRect>& keepOut) const override;

 private:
  Sheet sheet_;
  SheetRect band_;
  SheetRect hole_;                                        // the curves' extent
  std::vector<std::pair<double, std::string>> quarters_;  // each line's v and name
  SheetPoint centre_;
  std::string title_;
};

// The hole's legend and wrapping notes, one entry a row, width wide.
Sheet HoleLegendBlock(const ComputedJob& job, std::size_t hole, double width, bool tiled);

}  // namespace korvex
