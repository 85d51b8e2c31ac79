#include "template/sheet.h"

#include <utility>

namespace korvex {

StrokeLook LookOf(Stroke stroke) {
  switch (stroke) {
    case Stroke::MachinePath:
      return {0.5, 0, 0, 0};
    case Stroke::Outer:
      return {0.3, 0, 3, 1.5};
    case Stroke::Inner:
      return {0.3, 0, 0.6, 1.2};
    case Stroke::Seam:
      return {0.3, 0, 0, 0};
    case Stroke::QuarterMark:
      return {0.25, 0, 2, 2};
    case Stroke::ReferenceEdge:
      return {0.5, 0, 0, 0};
    case Stroke::Grid:
      return {0.1, 0.8, 0, 0};
    case Stroke::Ruler:
    case Stroke::AlignmentMark:
      break;
  }
  return {0.2, 0, 0, 0};
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
  constexpr double kArm = 4;
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
