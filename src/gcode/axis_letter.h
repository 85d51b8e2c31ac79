#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvex {

// Why the ANGLE LETTER text cannot address the tilt axis of a program, or nothing when it can:
// it must be one of the letters Z, A, B, C, U, V, W (either case), blanks around it allowed (and
// written as they stand).
std::optional<std::string> AxisLetterProblem(std::string_view axisLetter);

}  // namespace korvex
