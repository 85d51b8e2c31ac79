#include "template/cut_sheet.h"

#include <algorithm>
#include <cmath>

#include "base/decimal_text.h"
#include "base/pi.h"
#include "template/helvetica.h"
#include "template/paper.h"
#include "template/pdf_document.h"
#include "template/sheet.h"
#include "template/sheet_pages.h"

namespace korvex {
namespace {

constexpr double kHeadingSize = 3.2;
constexpr double kLabelSize = 2.4;
constexpr double kNameSize = 2;
constexpr double kNameRowHeight = 2.6;
constexpr int kNameRows = 3;
constexpr double kMinBand = 5;
constexpr double kMaxBand = 25;

std::string TubeHeading(const CutSheetTube& tube) {
  const auto sticks = static_cast<int>(tube.sticks.size());
  std::string heading = "TUBE " + tube.label + " - STOCK " + DecimalText(tube.stockLength, 3) +
                        " MM - KERF " + DecimalText(tube.kerf, 3) + " MM";
  if (tube.trim) heading += " - TRIM CUT AT " + DecimalText(*tube.trim, 3) + " MM";
  heading += " - " + std::to_string(sticks) + (sticks == 1 ? " STICK" : " STICKS") +
             ", LOWER BOUND " + std::to_string(tube.lowerBound) +
             (sticks <= tube.lowerBound ? " (MET)" : " (NOT MET)");
  return heading;
}

// The part's outline on the unrolled surface: down its left end, up its right end.
std::vector<SheetPoint> Outline(const CutSheetPart& part, double scale, double top, double band) {
  std::vector<SheetPoint> points;
  const auto n = part.left.size();
  const auto at = [&](const std::vector<double>& end, std::size_t i) {
    return SheetPoint{end[i % n] * scale,
                      top + band * static_cast<double>(i) / static_cast<double>(n)};
  };
  for (std::size_t i = 0; i <= n; ++i)
    points.push_back(at(part.left, i));
  for (std::size_t i = n + 1; i-- > 0;)
    points.push_back(at(part.right, i));
  points.push_back(points.front());
  return points;
}

// The unrolled surface to scale where that is readable.
double BandHeight(const CutSheetTube& tube) {
  const double scale = SheetPages::Content().width / tube.stockLength;
  return std::clamp(kPi * tube.diameter * scale, kMinBand, kMaxBand);
}

double StickHeight(const CutSheetTube& tube) {
  return kLabelSize + 2 + BandHeight(tube) + 1 + kNameRows * kNameRowHeight + 3;
}

void DrawStick(SheetPages& pages, const CutSheetTube& tube, const CutSheetStick& stick,
               int number) {
  const double width = SheetPages::Content().width;
  const double scale = width / tube.stockLength;
  const double band = BandHeight(tube);
  const double height = StickHeight(tube);
  Sheet& page = pages.room(height);
  double& v = pages.v();
  const double u0 = kPageMargin;

  page.text({u0, v + kLabelSize}, kLabelSize,
            "STICK " + std::to_string(number) + " - " + std::to_string(stick.parts.size()) +
                (stick.parts.size() == 1 ? " PART" : " PARTS") + " - REMNANT " +
                DecimalText(stick.remnant, 1) + " MM");
  const double top = v + kLabelSize + 2;
  Sheet drawing;
  drawing.line(Stroke::Seam,
               {{0, top}, {width, top}, {width, top + band}, {0, top + band}, {0, top}});
  if (tube.trim)
    drawing.line(Stroke::Trim, {{*tube.trim * scale, top}, {*tube.trim * scale, top + band}});
  std::vector<double> rowEnds(kNameRows, -INFINITY);
  double lastEnd = 0;
  for (const CutSheetPart& part : stick.parts) {
    drawing.line(Stroke::MachinePath, Outline(part, scale, top, band));
    for (const auto& hole : part.holes) {
      for (const auto& piece : UnrolledPieces(hole)) {
        std::vector<SheetPoint> line;
        for (const StickPoint& p : piece)
          line.push_back({p.x * scale, top + band * p.degrees / 360});
        drawing.line(Stroke::MachinePath, line);
      }
    }
    const double left = *std::min_element(part.left.begin(), part.left.end()) * scale;
    const double right = *std::max_element(part.right.begin(), part.right.end()) * scale;
    lastEnd = std::max(lastEnd, right);
    const std::string name = Printable(part.name);
    const double nameWidth = HelveticaWidth(name, kNameSize);
    const double start = (left + right) / 2 - nameWidth / 2;
    const std::size_t row = NameRow(rowEnds, start, nameWidth, 1);
    drawing.text({start, top + band + 1 + kNameSize + static_cast<double>(row) * kNameRowHeight},
                 kNameSize, name);
  }
  const std::string remnant = "REMNANT " + DecimalText(stick.remnant, 1);
  if (stick.remnant > 0 && (width - lastEnd) > HelveticaWidth(remnant, kLabelSize) + 2) {
    drawing.text({lastEnd + 2, top + band / 2 + kLabelSize / 2}, kLabelSize, remnant);
  }
  page.add(drawing, {u0, 0});
  v += height;
}

std::string WastePercent(double own, double stock) {
  return DecimalText(stock > 0 ? 100 * (1 - own / stock) : 0, 1) + " %";
}

void DrawTotals(SheetPages& pages, const CutSheet& sheet) {
  const double lineHeight = kHeadingSize + 2;
  const double height = lineHeight * (static_cast<double>(sheet.tubes.size()) + 3);
  Sheet& page = pages.room(height);
  double& v = pages.v();
  v += 2;
  page.text({kPageMargin, v + kHeadingSize}, kHeadingSize, "TOTALS");
  v += lineHeight;
  double own = 0, stock = 0;
  std::size_t sticks = 0;
  for (const CutSheetTube& tube : sheet.tubes) {
    const double length = static_cast<double>(tube.sticks.size()) * tube.stockLength;
    own += tube.ownLength;
    stock += length;
    sticks += tube.sticks.size();
    page.text({kPageMargin, v + kLabelSize}, kLabelSize,
              "TUBE " + tube.label + ": " + std::to_string(tube.sticks.size()) + " X " +
                  DecimalText(tube.stockLength, 3) + " MM = " + DecimalText(length, 3) +
                  " MM OF STOCK, PARTS " + DecimalText(tube.ownLength, 1) + " MM, WASTE " +
                  WastePercent(tube.ownLength, length));
    v += lineHeight;
  }
  page.text({kPageMargin, v + kLabelSize}, kLabelSize,
            "ALL: " + std::to_string(sticks) + " STICKS, " + DecimalText(stock, 3) +
                " MM OF STOCK, WASTE " + WastePercent(own, stock) + " (REMNANTS COUNTED AS WASTE)");
  v += lineHeight;
  if (sheet.cutTime) {
    page.text({kPageMargin, v + kLabelSize}, kLabelSize, "CUT TIME " + *sheet.cutTime);
    v += lineHeight;
  }
}

}  // namespace

std::size_t NameRow(std::vector<double>& rowEnds, double start, double width, double gap) {
  std::size_t row = 0;
  for (std::size_t r = 0; r < rowEnds.size(); ++r) {
    if (rowEnds[r] + gap <= start) {
      row = r;
      break;
    }
    if (rowEnds[r] < rowEnds[row]) row = r;
  }
  rowEnds[row] = start + width;
  return row;
}

std::vector<std::vector<StickPoint>> UnrolledPieces(const std::vector<StickPoint>& outline) {
  std::vector<std::vector<StickPoint>> pieces;
  for (std::size_t i = 0; i < outline.size(); ++i) {
    const StickPoint& p = outline[i];
    if (i > 0 && std::fabs(p.degrees - outline[i - 1].degrees) > 180) {
      // The line crosses the seam: both pieces reach it where the line meets it.
      const StickPoint& q = outline[i - 1];
      const bool upward = q.degrees > p.degrees;  // on past 360 to the far side of 0
      const double from = upward ? 360 - q.degrees : q.degrees;
      const double t = from / (from + (upward ? p.degrees : 360 - p.degrees));
      const double x = q.x + t * (p.x - q.x);
      pieces.back().push_back({x, upward ? 360.0 : 0.0});
      pieces.push_back({{x, upward ? 0.0 : 360.0}});
    } else if (i == 0) {
      pieces.emplace_back();
    }
    pieces.back().push_back(p);
  }
  return pieces;
}

std::string CutSheetPdf(const CutSheet& sheet) {
  SheetPages pages("cut sheet", Printable(sheet.listName));
  for (const CutSheetTube& tube : sheet.tubes) {
    const double headingHeight = kHeadingSize + 3;
    int number = 0;
    for (const CutSheetStick& stick : tube.sticks) {
      ++number;
      Sheet& page = pages.room(headingHeight + StickHeight(tube));
      if (number == 1 || pages.fresh()) {
        double& v = pages.v();
        page.text({kPageMargin, v + kHeadingSize}, kHeadingSize,
                  TubeHeading(tube) + (number == 1 ? "" : " (CONTINUED)"));
        v += headingHeight;
      }
      DrawStick(pages, tube, stick, number);
    }
  }
  DrawTotals(pages, sheet);
  return pages.pdf();
}

}  // namespace korvex
