#pragma once

#include <string>
#include <vector>

namespace korvex {

struct PlanJsonPart {
  std::string name;
  std::string file;  // as the cut list gives it
  double offset = 0;
  bool flipped = false;
  int turn = 0;
};

struct PlanJsonStick {
  std::string tube;
  double length = 0;
  double remnant = 0;
  std::string program;  // the stick's program, named inside the output folder
  std::vector<PlanJsonPart> parts;
};

// plan.json: {"lower_bound": sticks, "sticks": [{"tube", "length", "remnant", "program",
// "parts": [{"name", "file", "offset", "flipped", "turn"}]}]}, lengths in mm to three decimals,
// texts as UTF-8 (bytes that are not UTF-8 are read as ISO-8859-1).
std::string FormatPlanJson(int lowerBound, const std::vector<PlanJsonStick>& sticks);

}  // namespace korvex
