#pragma once

#include <string>
#include <vector>

#include "template/sheet.h"

namespace korvex {

struct ComputedJob;
struct EndCut;
struct EndCutParameters;

enum class TemplateEnd { Left, Right };

const EndCut& CutOf(const ComputedJob& job, TemplateEnd end);
const EndCutParameters& ParametersOf(const ComputedJob& job, TemplateEnd end);
std::string EndTitle(TemplateEnd end);  // "LEFT END", "RIGHT END"

// The name of quarter mark q (0..4) of the angle round the tube: "0 DEG TOP - SEAM",
// "90 DEG SIDE +Y", "180 DEG BOTTOM", "270 DEG SIDE -Y", "360 DEG TOP - SEAM".
std::string QuarterName(int quarter);

// Where one end's template lies along the tube: the cut's extent over the outer, inner and
// machine-path curves; the part lies on the side of the cut towards the middle of the part
// (halfway between the ends' distances), the stock's end on the other, and the reference edge
// 10 mm beyond the cut on that side. The band reaches kPartRoom beyond the cut on the part's side.
struct EndExtent {
  double xMin = 0;
  double xMax = 0;
  double xReference = 0;
  double xLow = 0;  // the template's band along the tube, reference edge included
  double xHigh = 0;
  bool partTowardsHigherX = true;
};

inline constexpr double kReferenceGap = 10;
inline constexpr double kPartRoom = 30;

EndExtent ExtentOf(const ComputedJob& job, TemplateEnd end);

// The band lies kBandMargin mm inside its sheet on every side.
inline constexpr double kBandMargin = 2;

// The size of an end's band sheet, found without drawing it.
SheetSize EndDrawingSize(const ComputedJob& job, TemplateEnd end);

// One end's wrap-around template, true scale, as it lies on the tube printed face outward: along
// the tube to the right, round the tube downwards from the seam at 360 degrees through 270 (side
// -Y), 180 and 90 to the seam at 0. Grid, seam and quarter marks, the reference edge and the
// outer, inner and machine-path curves; its texts are placed for a window by textsWithin.
class EndTemplate {
 public:
  EndTemplate(const ComputedJob& job, TemplateEnd end);

  const Sheet& sheet() const { return sheet_; }
  SheetRect band() const { return band_; }

  // The texts a window of the sheet shows: the name of every quarter mark the window crosses,
  // and "PART" and "SCRAP" on their sides of the cut. Each lies wholly inside the window and
  // the band, clear of the cut, the reference edge, keepOut and each other.
  std::vector<SheetText> textsWithin(const SheetRect& window,
                                     const std::vector<SheetRect>& keepOut) const;

 private:
  struct Span {
    double low;
    double high;
  };
  // The free stretches of u at a height: between the reference edge and the cut (stock side)
  // and between the cut and the band's far edge (part side), clipped to the window.
  Span stockSide(double top, double bottom, const SheetRect& window) const;
  Span partSide(double top, double bottom, const SheetRect& window) const;
  Span cutSpan(double top, double bottom) const;

  Sheet sheet_;
  SheetRect band_;
  double referenceU_ = 0;
  bool partRight_ = true;
  std::vector<std::vector<SheetPoint>> curves_;
  std::vector<double> quarterV_;  // quarter q's line, q = 0..4
};

// The legend and the wrapping notes of an end, laid out in columns to fit width: a sample of
// every kind of line drawn (with the trim line when tiled) and its meaning, and which face goes
// outward and which way the angles run seen from the end of the stock.
Sheet LegendBlock(const ComputedJob& job, TemplateEnd end, double width, bool tiled);

// The job's key values as text lines: the tube, then the end (which, shape, angle, joining
// diameter, turn, position). Characters outside printable ASCII become "?". A project name too
// long for width at the header's text size is shortened in its middle.
std::string TubeLine(const ComputedJob& job, const std::string& projectName, double width);
std::string EndLine(const ComputedJob& job, TemplateEnd end);

// The header band every page and sheet carries, width wide: "print at 100 %" and the given
// lines (each shortened in the middle if too wide), then a 100 mm calibration ruler with 10 mm
// ticks. kHeaderHeight mm tall.
inline constexpr double kHeaderTextSize = 2.8;
Sheet HeaderBlock(const std::vector<std::string>& lines, double width);

// Where the ruler of a HeaderBlock lies: its baseline's v and its 0 mm tick's u.
inline constexpr double kRulerBaseline = 22;
inline constexpr double kRulerLength = 100;

}  // namespace korvex
