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

// Where one end's template lies along the tube: the cut's extent over the outer, inner and
// machine-path curves, and the reference edge 10 mm beyond it on the side of the tube's end.
struct EndExtent {
  double xMin = 0;
  double xMax = 0;
  double xReference = 0;
  double xLow = 0;  // the template's band along the tube, reference edge included
  double xHigh = 0;
};

EndExtent ExtentOf(const ComputedJob& job, TemplateEnd end);

// Layout of an end's drawing: the band starts kDrawingLeft mm from the sheet's left edge, the
// seam at step 0 lies kDrawingTop mm below its top edge.
inline constexpr double kDrawingLeft = 10;
inline constexpr double kDrawingTop = 10;

// One end's wrap-around template, true scale: along the tube to the right, round the tube
// downwards from the seam (step 0) to the seam again (step N). Grid, seam and quarter marks,
// the reference edge, the outer, inner and machine-path curves, their labels and the legend.
Sheet EndDrawing(const ComputedJob& job, TemplateEnd end);

// The size of EndDrawing's sheet, found without drawing it.
SheetSize EndDrawingSize(const ComputedJob& job, TemplateEnd end);

// The job's key values as text lines: the tube, then the end (which, shape, angle, joining
// diameter, turn, position). Characters outside printable ASCII become "?".
std::string TubeLine(const ComputedJob& job, const std::string& projectName);
std::string EndLine(const ComputedJob& job, TemplateEnd end);

// The header band every page and sheet carries: "print at 100 %" and the given lines, then a
// 100 mm calibration ruler with 10 mm ticks. kHeaderHeight mm tall.
Sheet HeaderBlock(const std::vector<std::string>& lines);

// Where the ruler of a HeaderBlock lies: its baseline's v and its 0 mm tick's u.
inline constexpr double kRulerBaseline = 22;
inline constexpr double kRulerLength = 100;

}  // namespace korvex
