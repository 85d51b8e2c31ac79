#pragma once

#include <optional>
#include <string>
#include <vector>

namespace korvex {

// A point of a stick's unrolled outer surface: x along the stick, degrees round the tube from 0
// up to 360.
struct StickPoint {
  double x = 0;
  double degrees = 0;
};

// One part as it lies on a stick: x on the stick of its left and right end on the outer
// surface at the angles 360·i/n degrees round the tube, i = 0..n-1, and each hole's outline on
// the outer surface, closed.
struct CutSheetPart {
  std::string name;
  std::vector<double> left;
  std::vector<double> right;
  std::vector<std::vector<StickPoint>> holes;
};

// The row under a stick for a name from start, width long: the first row where it clears the
// name before it by gap, else the row whose last name ends soonest. rowEnds holds where each
// row's last name ends, and takes this one.
std::size_t NameRow(std::vector<double>& rowEnds, double start, double width, double gap);

// A hole's outline as lines on the unrolled surface: broken where it crosses the seam, so no
// line runs across the band.
std::vector<std::vector<StickPoint>> UnrolledPieces(const std::vector<StickPoint>& outline);

struct CutSheetStick {
  double remnant = 0;
  std::vector<CutSheetPart> parts;  // in order along the stick
};

struct CutSheetTube {
  std::string label;  // "60.3x3.9"
  double diameter = 0;
  double stockLength = 0;
  double kerf = 0;
  std::optional<double> trim;  // where the trim cut lies, when there is one
  int lowerBound = 0;
  double ownLength = 0;  // the parts' own lengths, summed
  std::vector<CutSheetStick> sticks;
};

struct CutSheet {
  std::string listName;
  std::vector<CutSheetTube> tubes;
  std::optional<std::string> cutTime;  // "m:ss", every part cut once per placement, when known
};

// The cut sheet as a PDF on A4 landscape pages: for each tube its sticks to scale along the
// stick, each as its unrolled outer surface (0 to 360 degrees round the tube downwards) with
// the parts' outlines and holes, their names below, the remnant with its length; then the
// totals.
std::string CutSheetPdf(const CutSheet& sheet);

}  // namespace korvex
