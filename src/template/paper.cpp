#include "template/paper.h"

#include <algorithm>
#include <cmath>

namespace korvex {
namespace {

struct PaperEntry {
  Paper paper;
  std::string_view name;
  std::string_view title;
  PaperSize size;
};

constexpr PaperEntry kPapers[] = {
    {Paper::A4, "a4", "A4 PORTRAIT", {210, 297}},
    {Paper::Letter, "letter", "LETTER PORTRAIT", {215.9, 279.4}},
    {Paper::A4Landscape, "a4-landscape", "A4 LANDSCAPE", {297, 210}},
    {Paper::LetterLandscape, "letter-landscape", "LETTER LANDSCAPE", {279.4, 215.9}},
};

const PaperEntry& EntryOf(Paper paper) {
  for (const PaperEntry& entry : kPapers) {
    if (entry.paper == paper) return entry;
  }
  return kPapers[0];
}

// Tiles needed along one direction: one, and one more per step beyond the first.
double TilesAlong(double length, double content) {
  if (length <= content) return 1;
  return 1 + std::ceil((length - content) / (content - kTileOverlap));
}

}  // namespace

PaperSize SizeOf(Paper paper) {
  return EntryOf(paper).size;
}

std::optional<Paper> PaperNamed(std::string_view name) {
  // Without regard to case: "A4" is the paper everyone writes.
  const auto lower = [](char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
  };
  for (const PaperEntry& entry : kPapers) {
    if (std::equal(entry.name.begin(), entry.name.end(), name.begin(), name.end(),
                   [&](char a, char b) { return a == lower(b); }))
      return entry.paper;
  }
  return std::nullopt;
}

std::string PaperName(Paper paper) {
  return std::string(EntryOf(paper).name);
}

std::string PaperTitle(Paper paper) {
  return std::string(EntryOf(paper).title);
}

PaperSize PrintableSize(Paper paper) {
  const PaperSize size = SizeOf(paper);
  return {size.width - 2 * kPageMargin, size.height - 2 * kPageMargin};
}

double TileCount(double sheetWidth, double sheetHeight, PaperSize tile) {
  return TilesAlong(sheetWidth, tile.width) * TilesAlong(sheetHeight, tile.height);
}

TilePlan TileSheet(double sheetWidth, double sheetHeight, PaperSize content) {
  TilePlan plan;
  plan.contentWidth = content.width;
  plan.contentHeight = content.height;
  plan.columns = static_cast<int>(TilesAlong(sheetWidth, content.width));
  plan.rows = static_cast<int>(TilesAlong(sheetHeight, content.height));
  for (int row = 0; row < plan.rows; ++row) {
    for (int column = 0; column < plan.columns; ++column) {
      plan.tiles.push_back({row, column, column * (content.width - kTileOverlap),
                            row * (content.height - kTileOverlap)});
    }
  }
  return plan;
}

std::vector<double> MarkPositions(int tileCount, double contentLength) {
  std::vector<double> positions;
  for (int k = 0; k <= tileCount; ++k) {
    positions.push_back(kTileOverlap / 2 + k * (contentLength - kTileOverlap));
  }
  return positions;
}

}  // namespace korvex
