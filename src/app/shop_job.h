#pragma once

#include <atomic>
#include <optional>
#include <string>

#include "app/cut_list_plan.h"
#include "app/frame_plan.h"
#include "app/machine_profiles.h"

namespace korvex {

// What a result was made from: the list's revision, and the part's when its unsaved edits
// were used.
struct ResultBasis {
  long list = 0;
  std::optional<long> part;
  friend bool operator==(const ResultBasis&, const ResultBasis&) = default;
};

// One nest, or one nest and write, with everything it needs taken from the documents when it
// starts, so it runs off the window's thread on its own.
struct ShopJob {
  CutListRequest request;  // its machine is set when it runs
  MachineEntry machine;
  std::string folder;  // empty: nest only
  // The frame the list is, as it gave the rows: planned as the frame, with the request's
  // settings, so that problems name the frame and a write writes the frame's outputs too.
  std::optional<FrameRequest> frame;
  ResultBasis basis;
  std::string madeFrom;  // the list, its parts and settings in words
};

struct ShopJobOutcome {
  CutListPlan plan;
  std::optional<std::string> writeFailure;
  bool cancelled = false;  // nothing was written then
};

// Plans the list, and writes every output into the folder when one is given (the frame's, for a
// frame's list): all or nothing.
// Stops at the next step once cancel is set.
ShopJobOutcome RunShopJob(const ShopJob& job, const CutListProgress& progress,
                          const std::atomic<bool>* cancel);

}  // namespace korvex
