#pragma once

#include <string>
#include <vector>

namespace korvex {

// A point of a sheet in mm: u to the right, v down from the sheet's top-left corner.
struct SheetPoint {
  double u = 0;
  double v = 0;
};

struct SheetSize {
  double width = 0;
  double height = 0;
};

// What a line means; every format draws each kind with the same look.
enum class Stroke {
  MachinePath,
  Outer,
  Inner,
  Seam,
  QuarterMark,
  ReferenceEdge,
  Grid,
  Ruler,
  AlignmentMark,
  Trim,
};

// Width in mm, grey level (0 black, 1 white) and the dash pattern: lengths in mm of dash, gap,
// dash, gap... (empty: solid).
struct StrokeLook {
  double width;
  double gray;
  std::vector<double> dashes;
};

StrokeLook LookOf(Stroke stroke);

// A name for the kind of line, for formats that can carry one ("machine-path", ...).
const char* NameOf(Stroke stroke);

// A rectangle of a sheet: u from left to right, v from top to bottom.
struct SheetRect {
  double left = 0;
  double top = 0;
  double right = 0;
  double bottom = 0;

  bool contains(const SheetRect& other) const;
  bool overlaps(const SheetRect& other) const;
};

struct SheetLine {
  Stroke stroke;
  std::vector<SheetPoint> points;
};

// Text in the built-in sans-serif font; at is the left end of its baseline, size its height.
struct SheetText {
  SheetPoint at;
  double size;
  std::string text;  // printable ASCII only
};

// A true-scale drawing in mm: lines and texts on a sheet of the given size.
struct Sheet {
  double width = 0;
  double height = 0;
  std::vector<SheetLine> lines;
  std::vector<SheetText> texts;

  void line(Stroke stroke, std::vector<SheetPoint> points);
  void text(SheetPoint at, double size, std::string text);
  // Adds everything of other, moved by offset; the size stays.
  void add(const Sheet& other, SheetPoint offset);
};

// Where a text of the sheet lies: its baseline and height, its advance in Helvetica.
SheetRect BoxOf(const SheetText& text);

// An alignment mark: a cross with a small square round its centre; kMarkArm mm each way.
inline constexpr double kMarkArm = 4;
void AddAlignmentMark(Sheet& sheet, SheetPoint centre);

}  // namespace korvex
