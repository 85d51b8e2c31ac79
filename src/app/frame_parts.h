#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "domain/frame_cuts.h"

namespace korvex {

// A part of a frame: the members cut from it, the first naming it, its quantity their count.
struct FramePart {
  Part part;
  std::vector<std::size_t> members;
  double length = 0;  // X LENGTH
};

// A frame with every member cut to fit at its nodes and identical members grouped into parts.
struct FrameParts {
  Frame frame;
  FrameCut cut;
  std::vector<FramePart> parts;
  std::vector<std::size_t> partOf;    // a member's part
  std::vector<std::string> problems;  // "FILE:LINE: reason"; when any, nothing else is to be used
  std::vector<std::string> notices;   // what was done that the shop should know
};

// The frame as read from the file at path, or as given (path then only names it), cut and
// grouped into parts.
FrameParts ReadFrameParts(const std::string& path, const std::optional<Frame>& given = {});

}  // namespace korvex
