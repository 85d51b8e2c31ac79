#include "template/end_drawing.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "base/format_number.h"
#include "domain/computed_job.h"
#include "template/helvetica.h"
#include "template/paper.h"

namespace korvex {
namespace {

constexpr double kGridStep = 10;
constexpr double kLabelSize = 2.5;  // the quarter marks' names
constexpr double kSideSize = 3.5;   // "PART", "SCRAP"
constexpr double kSmallSideSize = 2.2;
constexpr double kClear = 0.8;    // between a text and a line it must not touch
constexpr double kSideRows = 50;  // "PART" and "SCRAP" again after this much round the tube
constexpr double kNoteSize = 2.5;
constexpr double kLegendRow = 3.8;
constexpr double kSample = 8;

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

bool OuterUnderPath(const ComputedJob& job, TemplateEnd end) {
  const EndCut& cut = CutOf(job, end);
  for (int i = 0; i <= job.parameters.cutSegments; ++i) {
    const auto k = static_cast<std::size_t>(i);
    if (cut.path.x[k] != cut.surfaces.outer[k]) return false;
  }
  return true;
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

std::string QuarterName(int quarter) {
  static constexpr const char* kNames[] = {"0 DEG TOP - SEAM", "90 DEG SIDE +Y", "180 DEG BOTTOM",
                                           "270 DEG SIDE -Y", "360 DEG TOP - SEAM"};
  return kNames[quarter];
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
  // Ends at one distance leave the middle undecided: the left end's part lies to its right.
  const double middle = (job.parameters.left.distance + job.parameters.right.distance) / 2;
  const double distance = ParametersOf(job, end).distance;
  extent.partTowardsHigherX = middle != distance ? middle > distance : end == TemplateEnd::Left;
  if (extent.partTowardsHigherX) {
    extent.xReference = extent.xMin - kReferenceGap;
    extent.xLow = extent.xReference;
    extent.xHigh = extent.xMax + kPartRoom;
  } else {
    extent.xReference = extent.xMax + kReferenceGap;
    extent.xLow = extent.xMin - kPartRoom;
    extent.xHigh = extent.xReference;
  }
  return extent;
}

SheetSize EndDrawingSize(const ComputedJob& job, TemplateEnd end) {
  const EndCut& cut = CutOf(job, end);
  const EndExtent extent = ExtentOf(job, end);
  const double circumference =
      cut.path.y[0] - cut.path.y[static_cast<std::size_t>(job.parameters.cutSegments)];
  return {extent.xHigh - extent.xLow + 2 * kBandMargin, circumference + 2 * kBandMargin};
}

EndTemplate::EndTemplate(const ComputedJob& job, TemplateEnd end) {
  const EndCut& cut = CutOf(job, end);
  const int n = job.parameters.cutSegments;
  const EndExtent extent = ExtentOf(job, end);
  const double yBottom = cut.path.y[static_cast<std::size_t>(n)];
  const double circumference = cut.path.y[0] - yBottom;
  // Printed face outward with the tube's x to the right, going down the page from the top
  // runs towards -Y: the unrolled y grows downwards, step N (360 degrees) on top.
  auto at = [&](double x, double y) {
    return SheetPoint{kBandMargin + x - extent.xLow, kBandMargin + y - yBottom};
  };
  const SheetSize size = EndDrawingSize(job, end);
  sheet_.width = size.width;
  sheet_.height = size.height;
  band_ = {kBandMargin, kBandMargin, size.width - kBandMargin, size.height - kBandMargin};
  referenceU_ = at(extent.xReference, 0).u;
  partRight_ = extent.partTowardsHigherX;

  // The grid counts from the reference edge and from the seam, as the user measures.
  const auto first = static_cast<long>(std::ceil((extent.xLow - extent.xReference) / kGridStep));
  const auto last = static_cast<long>(std::floor((extent.xHigh - extent.xReference) / kGridStep));
  for (long k = first; k <= last; ++k) {
    const double u = referenceU_ + static_cast<double>(k) * kGridStep;
    sheet_.line(Stroke::Grid, {{u, band_.top}, {u, band_.bottom}});
  }
  for (double d = 0; d <= circumference; d += kGridStep) {
    sheet_.line(Stroke::Grid, {{band_.left, band_.bottom - d}, {band_.right, band_.bottom - d}});
  }
  for (int quarter = 0; quarter <= 4; ++quarter) {
    const double v = band_.bottom - circumference * quarter / 4;
    quarterV_.push_back(v);
    const bool seam = quarter == 0 || quarter == 4;
    sheet_.line(seam ? Stroke::Seam : Stroke::QuarterMark, {{band_.left, v}, {band_.right, v}});
  }
  sheet_.line(Stroke::ReferenceEdge, {{referenceU_, band_.top}, {referenceU_, band_.bottom}});

  const struct {
    Stroke stroke;
    const double* x;
  } curves[] = {
      {Stroke::Outer, cut.surfaces.outer.data()},
      {Stroke::Inner, cut.surfaces.inner.data()},
      {Stroke::MachinePath, cut.path.x.data()},
  };
  for (const auto& curve : curves) {
    std::vector<SheetPoint> points;
    for (int i = 0; i <= n; ++i)
      points.push_back(at(curve.x[i], cut.path.y[static_cast<std::size_t>(i)]));
    curves_.push_back(points);
    sheet_.line(curve.stroke, std::move(points));
  }
}

EndTemplate::Span EndTemplate::cutSpan(double top, double bottom) const {
  Span span{std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity()};
  auto take = [&](double u) {
    span.low = std::min(span.low, u);
    span.high = std::max(span.high, u);
  };
  for (const std::vector<SheetPoint>& curve : curves_) {
    for (std::size_t i = 1; i < curve.size(); ++i) {
      const SheetPoint a = curve[i - 1], b = curve[i];
      if (std::max(a.v, b.v) < top || std::min(a.v, b.v) > bottom) continue;
      if (a.v == b.v) {
        take(a.u);
        take(b.u);
        continue;
      }
      // The segment's part between top and bottom: its ends, clamped to the segment.
      for (double v : {top, bottom}) {
        const double t = std::clamp((v - a.v) / (b.v - a.v), 0.0, 1.0);
        take(a.u + t * (b.u - a.u));
      }
    }
  }
  return span;
}

EndTemplate::Span EndTemplate::stockSide(double top, double bottom, const SheetRect& window) const {
  const Span cut = cutSpan(top - kClear, bottom + kClear);
  const Span side = partRight_ ? Span{referenceU_ + kClear, cut.low - kClear}
                               : Span{cut.high + kClear, referenceU_ - kClear};
  return {std::max(side.low, window.left), std::min(side.high, window.right)};
}

EndTemplate::Span EndTemplate::partSide(double top, double bottom, const SheetRect& window) const {
  const Span cut = cutSpan(top - kClear, bottom + kClear);
  const Span side = partRight_ ? Span{cut.high + kClear, band_.right - kClear}
                               : Span{band_.left + kClear, cut.low - kClear};
  return {std::max(side.low, window.left), std::min(side.high, window.right)};
}

std::vector<SheetText> EndTemplate::textsWithin(const SheetRect& window,
                                                const std::vector<SheetRect>& keepOut) const {
  std::vector<SheetText> texts;
  std::vector<SheetRect> avoid = keepOut;
  auto place = [&](const SheetText& text) {
    const SheetRect box = BoxOf(text);
    if (!window.contains(box) || !band_.contains(box)) return false;
    for (const SheetRect& other : avoid) {
      if (other.overlaps(box)) return false;
    }
    for (const SheetText& other : texts) {
      if (BoxOf(other).overlaps(box)) return false;
    }
    texts.push_back(text);
    return true;
  };

  // A quarter mark's name just above its line (below the top seam), on the part's side of the
  // cut or else the stock's, at the leftmost free place.
  for (int quarter = 0; quarter <= 4; ++quarter) {
    const std::string name = QuarterName(quarter);
    const double width = HelveticaWidth(name, kLabelSize);
    const double line = quarterV_[static_cast<std::size_t>(quarter)];
    // The seams lie on the band's edges: a window ending there crosses them.
    if (line < window.top - 1e-6 || line > window.bottom + 1e-6) continue;
    bool placed = false;
    for (double baseline : {line - kClear, line + kClear + kLabelSize}) {
      const double top = baseline - kLabelSize;
      for (const Span side : {partSide(top, baseline, window), stockSide(top, baseline, window)}) {
        // Stepping past an alignment cross if need be.
        for (double u = side.low; !placed && u + width <= side.high; u += 1)
          placed = place({{u, baseline}, kLabelSize, name});
      }
    }
  }

  // "PART" and "SCRAP" in the middle of their sides, off the quarter marks, again every
  // kSideRows mm; smaller only where a side is too narrow all along the window (the 10 mm
  // between a square cut and its reference edge).
  for (double line : quarterV_)
    avoid.push_back({band_.left, line - kClear, band_.right, line + kClear});
  auto sideText = [&](const char* text, bool part, double size, double baseline) {
    const double width = HelveticaWidth(text, size);
    const double top = baseline - size;
    const Span span = part ? partSide(top, baseline, window) : stockSide(top, baseline, window);
    return span.high - span.low >= width &&
           place({{(span.low + span.high - width) / 2, baseline}, size, text});
  };
  for (const auto& [text, part] : {std::pair{"PART", true}, std::pair{"SCRAP", false}}) {
    for (double size : {kSideSize, kSmallSideSize}) {
      bool placed = false;
      for (double baseline = window.top + size + kClear; baseline <= window.bottom;) {
        const bool fits = sideText(text, part, size, baseline);
        placed = placed || fits;
        baseline += fits ? kSideRows : 1;
      }
      if (placed) break;
    }
  }
  return texts;
}

Sheet LegendBlock(const ComputedJob& job, TemplateEnd end, double width, bool tiled) {
  const EndExtent extent = ExtentOf(job, end);
  const bool under = OuterUnderPath(job, end);
  std::vector<std::pair<Stroke, std::string>> entries = {
      {Stroke::MachinePath, "MACHINE PATH (TORCH)"},
      {Stroke::Outer, under ? "OUTER SURFACE, UNDER THE PATH" : "OUTER SURFACE (OUTSIDE WALL)"},
      {Stroke::Inner, "INNER SURFACE (INSIDE WALL)"},
      {Stroke::Seam, "SEAM: 0 / 360 DEG, TOP"},
      {Stroke::QuarterMark, "QUARTER MARKS: 90, 180, 270 DEG"},
      {Stroke::ReferenceEdge, "REFERENCE EDGE X " + Millimetres(extent.xReference) + ", STOCK END"},
  };
  if (tiled) entries.push_back({Stroke::Trim, "TRIM LINE: LAP CROSSES ON CROSSES"});

  Sheet sheet;
  sheet.width = width;
  const std::string notes =
      "WRAP WITH THE PRINTED FACE OUTWARD AND THE REFERENCE EDGE ON THE END OF THE STOCK. SEEN "
      "FROM THE " +
      EndTitle(end) + " OF THE STOCK THE ANGLES RUN " +
      (end == TemplateEnd::Left ? "COUNTER-CLOCKWISE" : "CLOCKWISE") +
      ": 0 TOP, 90 SIDE +Y, 180 BOTTOM, 270 SIDE -Y. WRAPPED PRINTED FACE INWARD, A TURNED CUT "
      "WOULD BE MARKED AS ITS MIRROR IMAGE.";
  double v = 0;
  for (std::size_t start = 0; start < notes.size();) {
    // As many whole words as fit the width.
    std::size_t end = notes.find(' ', start);
    for (std::size_t next = end; next != std::string::npos;) {
      next = notes.find(' ', next + 1);
      const std::size_t stop = next == std::string::npos ? notes.size() : next;
      if (HelveticaWidth(notes.substr(start, stop - start), kNoteSize) > width) break;
      end = stop;
    }
    end = std::min(end, notes.size());
    v += kLegendRow;
    sheet.text({0, v}, kNoteSize,
               ShortenedInTheMiddle(notes.substr(start, end - start), kNoteSize, width));
    start = end + 1;
  }
  // As many columns as fit, each as wide as its widest entry, filled row by row.
  const auto entryWidth = [&](std::size_t i) {
    return kSample + 1.5 + HelveticaWidth(entries[i].second, kNoteSize) + 3;
  };
  std::vector<double> columns;
  for (std::size_t count = entries.size(); count >= 1; --count) {
    columns.assign(count, 0);
    for (std::size_t i = 0; i < entries.size(); ++i)
      columns[i % count] = std::max(columns[i % count], entryWidth(i));
    double total = 0;
    for (double column : columns)
      total += column;
    if (total <= width || count == 1) break;
  }
  const double top = v;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    double u = 0;
    for (std::size_t c = 0; c < i % columns.size(); ++c)
      u += columns[c];
    const double baseline = top + kLegendRow * static_cast<double>(i / columns.size() + 1);
    sheet.line(entries[i].first, {{u, baseline - 0.9}, {u + kSample, baseline - 0.9}});
    sheet.text({u + kSample + 1.5, baseline}, kNoteSize,
               ShortenedInTheMiddle(entries[i].second, kNoteSize, width - kSample - 1.5));
    v = std::max(v, baseline);
  }
  sheet.height = v + 1;
  return sheet;
}

std::string TubeLine(const ComputedJob& job, const std::string& projectName, double width) {
  const JobParameters& p = job.parameters;
  const std::string tube = " - TUBE D " + Millimetres(p.mainDiameter) + " WALL " +
                           Millimetres(p.wallThickness) + " - " + std::to_string(p.cutSegments) +
                           " SEGMENTS";
  const std::string name = projectName.empty() ? "(NOT SAVED)" : Printable(projectName);
  const double room = width - HelveticaWidth("PROJECT " + tube, kHeaderTextSize);
  return "PROJECT " + ShortenedInTheMiddle(name, kHeaderTextSize, room) + tube;
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

Sheet HeaderBlock(const std::vector<std::string>& lines, double width) {
  Sheet sheet;
  sheet.width = width;
  sheet.height = kHeaderHeight;
  double v = 4;
  sheet.text({0, v}, 3.2, "KORVEX TUBE TEMPLATE - PRINT AT 100 %, NO SCALING (ACTUAL SIZE)");
  for (const std::string& line : lines) {
    v += 4.5;
    sheet.text({0, v}, kHeaderTextSize, ShortenedInTheMiddle(line, kHeaderTextSize, width));
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
