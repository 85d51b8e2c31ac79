#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/cut_list_plan.h"
#include "domain/frame_cuts.h"

namespace korvex {

struct FrameRequest {
  std::string framePath;       // names the frame in problems
  std::optional<Frame> frame;  // the frame as read from a sketch; else the file is read
  std::string outDir;          // where the outputs go: the parts' programs name their files there
  CutListRequest list;         // stock, kerf, trim, machine and templates; the list is the frame's
};

struct FramePlan {
  std::vector<std::string> problems;  // one line each; when any there is nothing to write
  std::vector<std::string> notices;   // what was done that the shop should know
  std::vector<PlannedFile> files;     // everything a cut-list run writes, and the frame's own
  std::string summary;                // what standard output shows
  CutSheet sheet;                     // the plan as the cut sheet draws it
  std::vector<TubeTotals> totals;     // per tube, in the summary's order
  bool cancelled = false;
};

// The frame's members cut to fit at every node, identical ones as one part with their count:
// a part file each, the cut list and what a cut-list run writes of it, members.csv (which part
// each member is cut from) and frame-sheet.pdf.
FramePlan PlanFrame(const FrameRequest& request, const CutListProgress& progress = {});

// The names of the frame's own outputs beside the cut list's.
inline constexpr const char* kFrameCutList = "cut-list.csv";
inline constexpr const char* kFrameMembers = "members.csv";
inline constexpr const char* kFrameSheet = "frame-sheet.pdf";

}  // namespace korvex
