#include "template/end_drawing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/format_number.h"
#include "domain/computed_job.h"
#include "template/paper.h"

namespace korvex {
namespace {

constexpr double kGridStep = 10;
constexpr double kReferenceGap = 10;
constexpr double kLabelWidth = 45;  // right of the band: the quarter marks' names
constexpr double kBelow = 28;       // under the band: the reference edge's note and the legend
constexpr double kTextSize = 3;

std::string Printable(const std::string& text) {
  std::string clean = text;
  for (char& c : clean) {
    if (c < ' ' || c > '~') c = '?';
  }
  return clean;
}

std::string Millimetres(double value) {
  return FormatNumber(value, "#.000");
}

double Degrees(double radians) {
  return radians * 180 / kPi;
}

}  // namespace

const EndCut& CutOf(const ComputedJob& job, TemplateEnd end) {
  return end == TemplateEnd::Left ? job.left : job.right;
}

const EndCutParameters& ParametersOf(const ComputedJob& job, TemplateEnd end) {
  return end == TemplateEnd::Left ? job.parameters.left : job.parameters.right;
}

std::string EndTitle(TemplateEnd end) {
  return end == TemplateEnd::Left ? "LEFT END" : "RIGHT END";
}

EndExtent ExtentOf(const ComputedJob& job, TemplateEnd end) {
  const EndCut& cut = CutOf(job, end);
  EndExtent extent;
  extent.xMin = std::numeric_limits<double>::infinity();
  extent.xMax = -extent.xMin;
  for (int i = 0; i <= job.parameters.cutSegments; ++i) {
    const auto k = static_cast<std::size_t>(i);
    for (double x : {cut.surfaces.outer[k], cut.surfaces.inner[k], cut.path.x[k]}) {
      extent.xMin = std::min(extent.xMin, x);
      extent.xMax = std::max(extent.xMax, x);
    }
  }
  // The stock's end lies on the far side of the cut from the middle of the part.
  extent.xReference =
      end == TemplateEnd::Left ? extent.xMin - kReferenceGap : extent.xMax + kReferenceGap;
  extent.xLow = std::min(extent.xReference, extent.xMin);
  extent.xHigh = std::max(extent.xReference, extent.xMax);
  return extent;
}

SheetSize EndDrawingSize(const ComputedJob& job, TemplateEnd end) {
  const EndCut& cut = CutOf(job, end);
  const EndExtent extent = ExtentOf(job, end);
  const double circumference =
      cut.path.y[0] - cut.path.y[static_cast<std::size_t>(job.parameters.cutSegments)];
  return {kDrawingLeft + extent.xHigh - extent.xLow + kLabelWidth,
          kDrawingTop + circumference + kBelow};
}

Sheet EndDrawing(const ComputedJob& job, TemplateEnd end) {
  const EndCut& cut = CutOf(job, end);
  const int n = job.parameters.cutSegments;
  const EndExtent extent = ExtentOf(job, end);
  const double yTop = cut.path.y[0];
  const double circumference = yTop - cut.path.y[static_cast<std::size_t>(n)];
  auto at = [&](double x, double y) {
    return SheetPoint{kDrawingLeft + x - extent.xLow, kDrawingTop + yTop - y};
  };
  const double bandRight = kDrawingLeft + extent.xHigh - extent.xLow;
  const double bandBottom = kDrawingTop + circumference;

  Sheet sheet;
  const SheetSize size = EndDrawingSize(job, end);
  sheet.width = size.width;
  sheet.height = size.height;

  // The grid counts from the reference edge and from the seam, as the user measures.
  const auto first = static_cast<long>(std::ceil((extent.xLow - extent.xReference) / kGridStep));
  const auto last = static_cast<long>(std::floor((extent.xHigh - extent.xReference) / kGridStep));
  for (long k = first; k <= last; ++k) {
    const double x = extent.xReference + static_cast<double>(k) * kGridStep;
    sheet.line(Stroke::Grid, {at(x, yTop), at(x, yTop - circumference)});
  }
  for (double d = 0; d <= circumference; d += kGridStep) {
    sheet.line(Stroke::Grid, {at(extent.xLow, yTop - d), at(extent.xHigh, yTop - d)});
  }

  static constexpr const char* kQuarterNames[] = {"0 DEG TOP - SEAM", "90 DEG SIDE +Y",
                                                  "180 DEG BOTTOM", "270 DEG SIDE -Y",
                                                  "360 DEG TOP - SEAM"};
  for (int quarter = 0; quarter <= 4; ++quarter) {
    const double y = yTop - circumference * quarter / 4;
    const bool seam = quarter == 0 || quarter == 4;
    sheet.line(seam ? Stroke::Seam : Stroke::QuarterMark,
               {at(extent.xLow, y), at(extent.xHigh, y)});
    sheet.text({bandRight + 2, at(0, y).v + 1}, kTextSize, kQuarterNames[quarter]);
  }
  sheet.line(Stroke::ReferenceEdge,
             {at(extent.xReference, yTop), at(extent.xReference, yTop - circumference)});

  const struct {
    Stroke stroke;
    const double* x;
    const char* legend;
  } curves[] = {
      {Stroke::Outer, cut.surfaces.outer.data(), "OUTER SURFACE (OUTSIDE WALL)"},
      {Stroke::Inner, cut.surfaces.inner.data(), "INNER SURFACE (INSIDE WALL)"},
      {Stroke::MachinePath, cut.path.x.data(), "MACHINE PATH (TORCH)"},
  };
  for (const auto& curve : curves) {
    std::vector<SheetPoint> points;
    for (int i = 0; i <= n; ++i)
      points.push_back(at(curve.x[i], cut.path.y[static_cast<std::size_t>(i)]));
    sheet.line(curve.stroke, std::move(points));
  }

  double v = bandBottom + 6;
  sheet.text({kDrawingLeft, v}, kTextSize,
             "REFERENCE EDGE (X " + Millimetres(extent.xReference) +
                 "): LINE UP WITH THE END OF THE STOCK");
  for (const auto& curve : curves) {
    v += 5.5;
    sheet.line(curve.stroke, {{kDrawingLeft, v - 1}, {kDrawingLeft + 15, v - 1}});
    sheet.text({kDrawingLeft + 18, v}, kTextSize, curve.legend);
  }
  return sheet;
}

std::string TubeLine(const ComputedJob& job, const std::string& projectName) {
  const JobParameters& p = job.parameters;
  return Printable("PROJECT " + (projectName.empty() ? std::string("(NOT SAVED)") : projectName) +
                   " - TUBE D " + Millimetres(p.mainDiameter) + " WALL " +
                   Millimetres(p.wallThickness) + " - " + std::to_string(p.cutSegments) +
                   " SEGMENTS");
}

std::string EndLine(const ComputedJob& job, TemplateEnd end) {
  const EndCutParameters& e = ParametersOf(job, end);
  std::string line = EndTitle(end) + ": ";
  line += e.cutOval ? "TUBE JOINT, JOIN D " + Millimetres(2 * e.joinRadius) : "PLANE CUT";
  line += ", ANGLE " + FormatNumber(Degrees(e.angle), "#.000") + " DEG, TURN " +
          FormatNumber(Degrees(e.angleDiff), "#.000") + " DEG, AT X " + Millimetres(e.distance);
  if (e.mode3d == 1) {
    line += ", 3D MODE";
  } else if (e.compensation == 1) {
    line += ", COMPENSATION";
  }
  return Printable(line);
}

Sheet HeaderBlock(const std::vector<std::string>& lines) {
  Sheet sheet;
  sheet.width = 190;
  sheet.height = kHeaderHeight;
  double v = 4;
  sheet.text({0, v}, 3.2, "KORVEX TUBE TEMPLATE - PRINT AT 100 %, NO SCALING (ACTUAL SIZE)");
  for (const std::string& line : lines) {
    v += 4.5;
    sheet.text({0, v}, 2.8, line);
  }
  sheet.line(Stroke::Ruler, {{0, kRulerBaseline}, {kRulerLength, kRulerBaseline}});
  for (int mm = 0; mm <= 100; mm += 10) {
    const double length = mm % 50 == 0 ? 4 : 2.5;
    sheet.line(Stroke::Ruler,
               {{double(mm), kRulerBaseline}, {double(mm), kRulerBaseline + length}});
    if (mm % 50 == 0) sheet.text({mm + 0.8, kRulerBaseline + 4}, 2.5, std::to_string(mm));
  }
  sheet.text({kRulerLength + 5, kRulerBaseline + 1}, 2.8, "CHECK: 0 TO 100 MUST MEASURE 100 MM");
  return sheet;
}

}  // namespace korvex
