#include "template/sheet.h"

#include <utility>

#include "template/helvetica.h"

namespace korvex {

StrokeLook LookOf(Stroke stroke) {
  // Each kind its own look, told apart in black and white: the cut solid and heavy, the
  // surfaces dashed and dotted, the marks dash-dot, the reference edge thin and grey.
  switch (stroke) {
    case Stroke::MachinePath:
      return {0.5, 0, {}};
    case Stroke::Outer:
      return {0.3, 0, {3, 1.5}};
    case Stroke::Inner:
      return {0.3, 0, {0.6, 1.2}};
    case Stroke::Seam:
      return {0.35, 0.3, {}};
    case Stroke::QuarterMark:
      return {0.25, 0, {5, 1.5, 0.8, 1.5}};
    case Stroke::ReferenceEdge:
      return {0.2, 0.55, {}};
    case Stroke::Grid:
      return {0.1, 0.8, {}};
    case Stroke::Trim:
      return {0.15, 0.4, {1, 2}};
    case Stroke::Ruler:
    case Stroke::AlignmentMark:
      break;
  }
  return {0.2, 0, {}};
}

const char* NameOf(Stroke stroke) {
  switch (stroke) {
    case Stroke::MachinePath:
      return "machine-path";
    case Stroke::Outer:
      return "outer";
    case Stroke::Inner:
      return "inner";
    case Stroke::Seam:
      return "seam";
    case Stroke::QuarterMark:
      return "quarter-mark";
    case Stroke::ReferenceEdge:
      return "reference-edge";
    case Stroke::Grid:
      return "grid";
    case Stroke::Ruler:
      return "ruler";
    case Stroke::AlignmentMark:
      return "alignment-mark";
    case Stroke::Trim:
      return "trim";
  }
  return "line";
}

bool SheetRect::contains(const SheetRect& other) const {
  return other.left >= left && other.right <= right && other.top >= top && other.bottom <= bottom;
}

bool SheetRect::overlaps(const SheetRect& other) const {
  return other.left < right && other.right > left && other.top < bottom && other.bottom > top;
}

SheetRect BoxOf(const SheetText& text) {
  return {text.at.u, text.at.v - text.size, text.at.u + HelveticaWidth(text.text, text.size),
          text.at.v};
}

void Sheet::line(Stroke stroke, std::vector<SheetPoint> points) {
  lines.push_back({stroke, std::move(points)});
}

void Sheet::text(SheetPoint at, double size, std::string content) {
  texts.push_back({at, size, std::move(content)});
}

void Sheet::add(const Sheet& other, SheetPoint offset) {
  for (const SheetLine& source : other.lines) {
    SheetLine moved = source;
    for (SheetPoint& point : moved.points) {
      point.u += offset.u;
      point.v += offset.v;
    }
    lines.push_back(std::move(moved));
  }
  for (const SheetText& source : other.texts) {
    texts.push_back({{source.at.u + offset.u, source.at.v + offset.v}, source.size, source.text});
  }
}

void AddAlignmentMark(Sheet& sheet, SheetPoint c) {
  constexpr double kArm = kMarkArm;
  constexpr double kBox = 1.5;
  sheet.line(Stroke::AlignmentMark, {{c.u - kArm, c.v}, {c.u + kArm, c.v}});
  sheet.line(Stroke::AlignmentMark, {{c.u, c.v - kArm}, {c.u, c.v + kArm}});
  sheet.line(Stroke::AlignmentMark, {{c.u - kBox, c.v - kBox},
                                     {c.u + kBox, c.v - kBox},
                                     {c.u + kBox, c.v + kBox},
                                     {c.u - kBox, c.v + kBox},
                                     {c.u - kBox, c.v - kBox}});
}

}  // namespace korvex
