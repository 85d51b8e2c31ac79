#pragma once

#include <atomic>
#include <cstddef>
#include <functional>
#include <variant>
#include <optional>
#include <string>
#include <vector>

#include "app/part_loading.h"
#include "template/cut_sheet.h"
#include "template/template_files.h"

namespace korvex {

struct MachineProfile;

// A tube by its outside diameter and wall, in mm.
struct TubeSize {
  double diameter = 0;
  double wall = 0;
  friend bool operator==(const TubeSize&, const TubeSize&) = default;
};

// True when two sizes name one tube: equal to within a millionth of a mm.
bool SameTube(const TubeSize& a, const TubeSize& b);

// The stock length of every tube, or of one tube.
struct StockLength {
  std::optional<TubeSize> tube;
  double length = 0;
  friend bool operator==(const StockLength&, const StockLength&) = default;
};

// A part the list names, by its path beside the list, loaded; or why not.
using PartSource = std::function<std::variant<LoadedPart, std::string>(const std::string& path)>;

// The stock length of a tube: its own, else the length for every tube; nothing when neither is
// given.
std::optional<double> StockLengthOf(const std::vector<StockLength>& stock, const TubeSize& tube);

struct CutListRequest {
  std::string listPath;                  // names the list in problems; parts are found beside it
  std::optional<std::string> listBytes;  // the list as edited, read instead of the file
  PartSource parts;  // parts given in memory, taken instead of reading their files
  std::vector<StockLength> stock;        // a tube's own length wins over the length for all
  std::optional<double> kerf;  // the torch's kerf; the machine profile's when not given
  std::optional<double> trim;  // a square cut this far from each stick's start
  const MachineProfile* machine = nullptr;
  std::optional<std::string> axisLetter;  // replaces every part's ANGLE LETTER when given
  std::optional<ShopOutput> templates;    // a PDF or SVG template of each part, when asked for
  Paper paper = Paper::A4;
  const std::atomic<bool>* cancel = nullptr;  // set from another thread: stop at the next step
};

// A file to write, named inside the output folder.
struct PlannedFile {
  std::string name;
  std::string bytes;
};

// One tube's figures in the plan.
struct TubeTotals {
  std::string tube;  // "60.3x3.9"
  int sticks = 0;
  int lowerBound = 0;
  bool provenOptimal = false;  // no plan can use fewer sticks
  double stockLength = 0;      // of one stick
  double ownLength = 0;        // the parts' own lengths, summed
  double longestRemnant = 0;
  std::optional<double> cutSeconds;  // every placement cut once, when the profile gives feeds
  // Each stick's program: its number among all sticks, its file, its time when the profile
  // gives its feeds.
  struct StickProgram {
    std::size_t number = 0;
    std::string name;
    std::optional<double> cutSeconds;
  };
  std::vector<StickProgram> programs;
};

struct CutListPlan {
  std::vector<std::string> problems;  // one line each; when any there is nothing to write
  std::vector<std::string> notes;     // what the operator should know, one line each
  std::vector<PlannedFile> files;     // programs, templates, plan.json, cut-sheet.pdf
  std::string summary;                // what standard output shows
  std::vector<TubeTotals> totals;     // per tube, in the summary's order
  CutSheet sheet;                     // the plan as the cut sheet draws it
  bool cancelled = false;
};

// How far a long step has come.
using CutListProgress = std::function<void(const char* step, std::size_t done, std::size_t total)>;

// Reads the cut list and every part it names, nests each tube's parts along its stock and
// formats every output: each part's program, each stick's program (stick-1.ngc, ... in the
// order of plan.json) with its parts where the plan puts them. Problems name the list and line:
// a file that cannot be read or whose job is refused, a tube without stock, a part longer than
// its stock, a name that a stick's program takes. A cancelled plan has the one problem
// "cancelled" and nothing to write.
CutListPlan PlanCutList(const CutListRequest& request, const CutListProgress& progress = {});

// The tube as "60.3x3.9", to three decimals.
std::string TubeLabel(const TubeSize& tube);

// What a list shows of one part before nesting: its tube and X LENGTH, or why it cannot be used.
struct PartSummary {
  std::string tube;
  double length = 0;
  std::optional<std::string> failure;
  TubeSize size;
};

// The part that a cut list at listPath names as file (relative to the list's folder).
std::string ListPartPath(const std::string& listPath, const std::string& file);
PartSummary SummarizePart(const std::string& path);

// Writes every file into the folder, creating it when missing: all or nothing, and every folder
// created for them is removed again when they fail, are cancelled before they are put in place,
// or the program is interrupted. Reports each file staged ("writing"). Why, when they fail.
std::optional<std::string> WritePlanFiles(const std::string& folder,
                                          const std::vector<PlannedFile>& files,
                                          const std::atomic<bool>* cancel = nullptr,
                                          const CutListProgress& progress = {});

}  // namespace korvex
