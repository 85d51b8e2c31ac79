#pragma once

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "template/template_files.h"

namespace korvex {

struct MachineProfile;

// A tube by its outside diameter and wall, in mm.
struct TubeSize {
  double diameter = 0;
  double wall = 0;
};

// The stock length of every tube, or of one tube.
struct StockLength {
  std::optional<TubeSize> tube;
  double length = 0;
};

struct CutListRequest {
  std::string listPath;
  std::vector<StockLength> stock;  // a tube's own length wins over the length for all
  double kerf = 0;
  std::optional<double> trim;  // a square cut this far from each stick's start
  const MachineProfile* machine = nullptr;
  std::optional<ShopOutput> templates;  // a PDF or SVG template of each part, when asked for
  Paper paper = Paper::A4;
};

// A file to write, named inside the output folder.
struct PlannedFile {
  std::string name;
  std::string bytes;
};

struct CutListPlan {
  std::vector<std::string> problems;  // one line each; when any there is nothing to write
  std::vector<PlannedFile> files;     // programs, templates, plan.json, cut-sheet.pdf
  std::string summary;                // what standard output shows
};

// How far a long step has come.
using CutListProgress = std::function<void(const char* step, std::size_t done, std::size_t total)>;

// Reads the cut list and every part it names, nests each tube's parts along its stock and
// formats every output. Problems name the list and line: a file that cannot be read or whose
// job is refused, a tube without stock, a part longer than its stock.
CutListPlan PlanCutList(const CutListRequest& request, const CutListProgress& progress = {});

}  // namespace korvex
