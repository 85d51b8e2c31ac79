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

// What the plan says of one tube's stick count.
struct PlanJsonTube {
  std::string tube;
  int sticks = 0;
  int lowerBound = 0;
  bool provenOptimal = false;  // no plan uses fewer sticks; otherwise the best found
};

// plan.json: {"lower_bound": sticks, "sticks": [{"tube", "length", "remnant", "program",
// "parts": [{"name", "file", "offset", "flipped", "turn"}]}], "tubes": [{"tube", "sticks",
// "lower_bound", "sticks_proven_optimal"}]}, lengths in mm to three decimals, texts as UTF-8
// (bytes that are not UTF-8 are read as ISO-8859-1).
std::string FormatPlanJson(int lowerBound, const std::vector<PlanJsonStick>& sticks,
                           const std::vector<PlanJsonTube>& tubes);

}  // namespace korvex
