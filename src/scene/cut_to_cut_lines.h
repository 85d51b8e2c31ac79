#pragma once

namespace korvex {

class DrawList;
struct ComputedJob;

// The tube between the two cuts: one translucent line along the outer surface per angular
// step, from the left cut's point to the right cut's.
void DrawCutToCutLines(const ComputedJob& job, DrawList& list);

}  // namespace korvex
