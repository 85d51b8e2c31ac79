#include "template/hole_template.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/format_number.h"
#include "domain/computed_job.h"
#include "template/end_drawing.h"
#include "template/helvetica.h"

namespace korvex {
namespace {

constexpr double kGridStep = 10;
constexpr double kLabelSize = 2.5;
constexpr double kClear = 0.8;
constexpr double kNoteSize = 2.5;
constexpr double kLegendRow = 3.8;
constexpr double kSample = 8;

std::string Millimetres(double value) {
  return FormatNumber(value, "#.000");
}

// The angle round the tube at unrolled y, from the seam as the templates count it: 0 at
// y = kPi·R, growing towards −Y.
double SeamDegrees(double y, double radius) {
  return (kPi - y / radius) * 180 / kPi;
}

// Whole words of text, as many a line as fit width.
std::vector<std::string> Wrapped(const std::string& text, double size, double width) {
  std::vector<std::string> lines;
  std::string line;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t stop = text.find(' ', start);
    if (stop == std::string::npos) stop = text.size();
    const std::string word = text.substr(start, stop - start);
    const std::string longer = line.empty() ? word : line + " " + word;
    if (!line.empty() && HelveticaWidth(longer, size) > width) {
      lines.push_back(line);
      line = word;
    } else {
      line = longer;
    }
    start = stop + 1;
  }
  if (!line.empty()) lines.push_back(line);
  return lines;
}

}  // namespace

HoleExtent HoleExtentOf(const ComputedJob& job, std::size_t hole) {
  const HoleCut& cut = job.holes[hole];
  const HoleParameters& p = job.parameters.holes[hole];
  const double radius = job.parameters.mainRadius;
  HoleExtent extent;
  extent.xMin = extent.yMin = std::numeric_limits<double>::infinity();
  extent.xMax = extent.yMax = -extent.xMin;
  for (const auto* curve : {&cut.outer.x, &cut.inner.x, &cut.path.x}) {
    for (int j = 0; j <= job.parameters.cutSegments; ++j) {
      extent.xMin = std::min(extent.xMin, (*curve)[static_cast<std::size_t>(j)]);
      extent.xMax = std::max(extent.xMax, (*curve)[static_cast<std::size_t>(j)]);
    }
  }
  for (const auto* curve : {&cut.outer.y, &cut.inner.y, &cut.path.y}) {
    for (int j = 0; j <= job.parameters.cutSegments; ++j) {
      extent.yMin = std::min(extent.yMin, (*curve)[static_cast<std::size_t>(j)]);
      extent.yMax = std::max(extent.yMax, (*curve)[static_cast<std::size_t>(j)]);
    }
  }
  const double gamma = std::asin(std::clamp(p.offset / radius, -1.0, 1.0));
  extent.xCentre = p.at + radius * std::cos(gamma) * std::tan(p.angle);
  extent.yCentre = radius * (p.turn - gamma);
  extent.xReference = ExtentOf(job, TemplateEnd::Left).xReference;
  extent.xLow = std::min(extent.xReference, extent.xMin - kHoleRoom);
  extent.xHigh = std::max(extent.xReference, extent.xMax + kHoleRoom);
  extent.yLow = std::min(-kPi * radius, extent.yMin - kHoleRoom);
  extent.yHigh = std::max(kPi * radius, extent.yMax + kHoleRoom);
  return extent;
}

SheetSize HoleDrawingSize(const ComputedJob& job, std::size_t hole) {
  const HoleExtent extent = HoleExtentOf(job, hole);
  return {extent.xHigh - extent.xLow + 2 * kBandMargin,
          extent.yHigh - extent.yLow + 2 * kBandMargin};
}

std::string HoleTitle(std::size_t hole) {
  return "HOLE " + std::to_string(hole + 1);
}

std::string HoleLine(const ComputedJob& job, std::size_t hole) {
  const HoleParameters& p = job.parameters.holes[hole];
  const HoleExtent extent = HoleExtentOf(job, hole);
  std::string line =
      HoleTitle(hole) + ": " + (p.fit == HoleFit::SetIn ? "SET-IN" : "SET-ON") + " D " +
      Millimetres(2 * p.branchRadius) + " X " + Millimetres(p.branchWall) + ", ANGLE " +
      FormatNumber(p.angle * 180 / kPi, "#.000") + ", OFFSET " + Millimetres(p.offset) +
      " - CENTRE " + Millimetres(extent.xCentre - extent.xReference) + " FROM REF. EDGE, " +
      FormatNumber(SeamDegrees(extent.yCentre, job.parameters.mainRadius), "#.000") + " DEG";
  if (p.mode3d == 1) {
    line += ", 3D MODE";
  } else if (p.compensation == 1) {
    line += ", COMPENSATION";
  }
  return line;
}

HoleTemplate::HoleTemplate(const ComputedJob& job, std::size_t hole) : title_(HoleTitle(hole)) {
  const HoleCut& cut = job.holes[hole];
  const int n = job.parameters.cutSegments;
  const double radius = job.parameters.mainRadius;
  const HoleExtent extent = HoleExtentOf(job, hole);
  auto at = [&](double x, double y) {
    return SheetPoint{kBandMargin + x - extent.xLow, kBandMargin + y - extent.yLow};
  };
  const SheetSize size = HoleDrawingSize(job, hole);
  sheet_.width = size.width;
  sheet_.height = size.height;
  band_ = {kBandMargin, kBandMargin, size.width - kBandMargin, size.height - kBandMargin};

  // The grid counts from the reference edge and from the seam at 0 degrees, as at the ends.
  const double referenceU = at(extent.xReference, 0).u;
  for (double u = referenceU - kGridStep * std::floor((referenceU - band_.left) / kGridStep);
       u <= band_.right; u += kGridStep) {
    sheet_.line(Stroke::Grid, {{u, band_.top}, {u, band_.bottom}});
  }
  const double seamV = at(0, kPi * radius).v;
  for (double v = seamV + kGridStep * std::floor((band_.bottom - seamV) / kGridStep);
       v >= band_.top; v -= kGridStep) {
    sheet_.line(Stroke::Grid, {{band_.left, v}, {band_.right, v}});
  }
  for (int quarter = 0; quarter <= 4; ++quarter) {
    const double v = at(0, kPi * radius * (1 - quarter / 2.0)).v;
    quarters_.push_back({v, QuarterName(quarter)});
    const bool seam = quarter == 0 || quarter == 4;
    sheet_.line(seam ? Stroke::Seam : Stroke::QuarterMark, {{band_.left, v}, {band_.right, v}});
  }
  sheet_.line(Stroke::ReferenceEdge, {{referenceU, band_.top}, {referenceU, band_.bottom}});
  centre_ = at(extent.xCentre, extent.yCentre);
  sheet_.line(Stroke::CentreLine, {{band_.left, centre_.v}, {band_.right, centre_.v}});
  sheet_.line(Stroke::CentreLine, {{centre_.u, band_.top}, {centre_.u, band_.bottom}});

  const struct {
    Stroke stroke;
    const SurfaceCurve curve;
  } curves[] = {{Stroke::Outer, cut.outer},
                {Stroke::Inner, cut.inner},
                {Stroke::MachinePath, {cut.path.x, cut.path.y}}};
  for (const auto& [stroke, curve] : curves) {
    std::vector<SheetPoint> points;
    for (int j = 0; j <= n; ++j) {
      const auto k = static_cast<std::size_t>(j);
      points.push_back(at(curve.x[k], curve.y[k]));
    }
    sheet_.line(stroke, std::move(points));
  }
  const SheetPoint low = at(extent.xMin, extent.yMin), high = at(extent.xMax, extent.yMax);
  hole_ = {low.u - kClear, low.v - kClear, high.u + kClear, high.v + kClear};
}

std::vector<SheetText> HoleTemplate::textsWithin(const SheetRect& window,
                                                 const std::vector<SheetRect>& keepOut) const {
  std::vector<SheetText> texts;
  auto place = [&](const SheetText& text) {
    const SheetRect box = BoxOf(text);
    if (!window.contains(box) || !band_.contains(box) || hole_.overlaps(box)) return false;
    for (const SheetRect& other : keepOut) {
      if (other.overlaps(box)) return false;
    }
    for (const SheetText& other : texts) {
      if (BoxOf(other).overlaps(box)) return false;
    }
    texts.push_back(text);
    return true;
  };
  // A quarter mark's name just above its line, else below it, at the window's left or right.
  for (const auto& [line, name] : quarters_) {
    const double width = HelveticaWidth(name, kLabelSize);
    bool placed = false;
    for (double baseline : {line - kClear, line + kClear + kLabelSize}) {
      for (double u : {std::max(window.left, band_.left) + kClear,
                       std::min(window.right, band_.right) - kClear - width}) {
        placed = placed || place({{u, baseline}, kLabelSize, name});
      }
    }
  }
  // The hole's name on its centre line, on whichever side of the hole there is room.
  const double width = HelveticaWidth(title_, kLabelSize);
  for (double u : {hole_.right + kClear, hole_.left - kClear - width}) {
    if (place({{u, centre_.v - kClear}, kLabelSize, title_})) break;
  }
  return texts;
}

Sheet HoleLegendBlock(const ComputedJob& job, std::size_t hole, double width, bool tiled) {
  const HoleExtent extent = HoleExtentOf(job, hole);
  const double radius = job.parameters.mainRadius;
  std::vector<std::pair<Stroke, std::string>> entries = {
      {Stroke::MachinePath, "MACHINE PATH (TORCH): THE HOLE INSIDE IT IS SCRAP"},
      {Stroke::Outer, "OUTER SURFACE (OUTSIDE WALL)"},
      {Stroke::Inner, "INNER SURFACE (INSIDE WALL)"},
      {Stroke::CentreLine, "CENTRE LINES: WHERE THE BRANCH'S AXIS MEETS THE OUTER SURFACE"},
      {Stroke::Seam, "SEAM: 0 / 360 DEG, TOP"},
      {Stroke::QuarterMark, "QUARTER MARKS: 90, 180, 270 DEG"},
      {Stroke::ReferenceEdge, "REFERENCE EDGE X " + Millimetres(extent.xReference) +
                                  ", STOCK END, AS ON THE LEFT END'S TEMPLATE"},
  };
  if (tiled) entries.push_back({Stroke::Trim, "TRIM LINE: LAP CROSSES ON CROSSES"});
  const std::string notes =
      "WRAP WITH THE PRINTED FACE OUTWARD, THE REFERENCE EDGE ON THE END OF THE STOCK AND THE "
      "SEAM ON THE TUBE'S SEAM. " +
      HoleTitle(hole) + " CENTRE: " + Millimetres(extent.xCentre - extent.xReference) +
      " MM ALONG THE TUBE FROM THE REFERENCE EDGE, " +
      FormatNumber(SeamDegrees(extent.yCentre, radius), "#.000") + " DEG ROUND FROM THE SEAM (" +
      Millimetres(extent.yCentre + kPi * radius) + " MM DOWN FROM THE TOP SEAM).";
  Sheet sheet;
  sheet.width = width;
  double v = 0;
  for (const std::string& line : Wrapped(notes, kNoteSize, width)) {
    v += kLegendRow;
    sheet.text({0, v}, kNoteSize, ShortenedInTheMiddle(line, kNoteSize, width));
  }
  for (const auto& [stroke, text] : entries) {
    v += kLegendRow;
    sheet.line(stroke, {{0, v - 0.9}, {kSample, v - 0.9}});
    sheet.text({kSample + 1.5, v}, kNoteSize,
               ShortenedInTheMiddle(text, kNoteSize, width - kSample - 1.5));
  }
  sheet.height = v + 1;
  return sheet;
}

}  // namespace korvex
