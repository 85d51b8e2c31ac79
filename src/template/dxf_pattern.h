#pragma once

#include <string>

namespace korvex {

struct ComputedJob;

// Layers of the flat pattern.
inline constexpr const char* kMachinePathLayer = "MACHINE_PATH";
inline constexpr const char* kOuterLayer = "OUTER";
inline constexpr const char* kInnerLayer = "INNER";
inline constexpr const char* kMarksLayer = "MARKS";

// Both ends' flat patterns as an ASCII DXF (R12, mm): x along the tube and y round the unrolled
// circumference, exactly the computed points. Per end the machine path, the outer and the inner
// curve are polylines of steps 0..N on their own layers (open: unrolled, step N lies a whole
// circumference from step 0); seams, quarter marks, the reference edge and every text are on
// the marks layer. Lines end in CR LF.
std::string DxfPattern(const ComputedJob& job, const std::string& projectName);

}  // namespace korvex
