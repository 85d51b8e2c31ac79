#pragma once

#include <string>

namespace korvex {

struct ComputedJob;

// Layers of the flat pattern.
inline constexpr const char* kMachinePathLayer = "MACHINE_PATH";
inline constexpr const char* kOuterLayer = "OUTER";
inline constexpr const char* kInnerLayer = "INNER";
inline constexpr const char* kMarksLayer = "MARKS";

// Both ends' flat patterns as an ASCII DXF R2000 (AC1015) in mm ($INSUNITS 4), so that no
// importer takes it for inches: x along the tube and y round the unrolled circumference, exactly
// the computed points. Per end the machine path, the outer and the inner curve are LWPOLYLINEs of
// steps 0..N on their own layers (open: unrolled, step N lies a whole circumference from step
// 0); seams, quarter marks, the reference edge with its name beside it and every text are on
// the marks layer. Handles are numbered in writing order, so the same job gives the same bytes.
// Lines end in CR LF.
std::string DxfPattern(const ComputedJob& job, const std::string& projectName);

}  // namespace korvex
