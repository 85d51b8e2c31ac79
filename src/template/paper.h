#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvex {

enum class Paper { A4, Letter, A4Landscape, LetterLandscape };

struct PaperSize {
  double width;  // mm
  double height;
};

PaperSize SizeOf(Paper paper);

// "a4", "letter", "a4-landscape", "letter-landscape" as the command line names them, in any case.
std::optional<Paper> PaperNamed(std::string_view name);
// The paper's name as the command line gives it: "a4", "letter-landscape", ...
std::string PaperName(Paper paper);

// "A4 PORTRAIT", "LETTER LANDSCAPE", ... as a page names its paper.
std::string PaperTitle(Paper paper);

// A page: 10 mm margins that printers cannot reach, a header band with the job's values and the
// ruler, below it the body that shows one tile of the template, and at the foot the legend.
inline constexpr double kPageMargin = 10;
inline constexpr double kHeaderHeight = 28;
// Neighbouring tiles share this much, so pages can be overlapped and taped.
inline constexpr double kTileOverlap = 10;

struct PageTile {
  int row = 0;  // 0-based
  int column = 0;
  double u = 0;  // the sheet point at the content area's top-left corner
  double v = 0;
};

// How a sheet is cut into tiles of one size, row by row, never scaled.
struct TilePlan {
  double contentWidth = 0;
  double contentHeight = 0;
  int rows = 0;
  int columns = 0;
  std::vector<PageTile> tiles;  // filled only by TileSheet
};

// The printable area of a page of this paper: the paper less its margins.
PaperSize PrintableSize(Paper paper);

// The tile count for a sheet without building the tiles; huge for an absurd sheet.
double TileCount(double sheetWidth, double sheetHeight, PaperSize tile);

// The tiles of a sheet whose TileCount is reasonable.
TilePlan TileSheet(double sheetWidth, double sheetHeight, PaperSize tile);

// Where the alignment marks of a tiled sheet lie: the middle of every overlap strip and of the
// sheet's outer border strips, crossed. Every page holds the four round its corners.
std::vector<double> MarkPositions(int tileCount, double contentLength);

}  // namespace korvex
