#pragma once

#include <string>
#include <vector>

#include "domain/vec3.h"

namespace korvex {

struct FrameSheetMember {
  std::string name;
  std::string part;  // the part file it is cut from
  std::string tube;  // "48.3x3.2"
  double diameter = 0;
  double length = 0;  // the part's X LENGTH
  int quantity = 0;   // of its part in the frame
  Vec3 from{}, to{};
};

// The members at a node in the order they go together; passing[k] when members[k] runs through.
struct FrameSheetNode {
  std::string name;
  std::vector<std::string> members;
  std::vector<bool> passing;
};

struct FrameSheet {
  std::string name;
  std::vector<FrameSheetMember> members;
  std::vector<FrameSheetNode> nodes;
};

// The frame sheet as a PDF on A4 landscape pages: the frame from the front, the top and the
// side to one scale and in a pictorial with the members' names; then the members with their
// parts, and the fit-up order node by node.
std::string FrameSheetPdf(const FrameSheet& sheet);

}  // namespace korvex
