#pragma once

namespace korvex {

class DrawList;
struct JobState;

// The tube between the two cuts: one translucent line along the outer surface per angular
// step, from the left cut's point to the right cut's.
void DrawCutToCutLines(const JobState& job, DrawList& list);

}  // namespace korvex
