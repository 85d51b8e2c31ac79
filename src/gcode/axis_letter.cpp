#include "gcode/axis_letter.h"

namespace korvex {

std::optional<std::string> AxisLetterProblem(std::string_view axisLetter) {
  // X and Y already carry the cut; letters such as F, S, G or M would change feed, spindle or
  // mode on the machine. These are the axes that can carry the tilt, in either case.
  constexpr std::string_view kTiltAxes = "ZABCUVWzabcuvw";
  const std::size_t first = axisLetter.find_first_not_of(' ');
  const std::size_t last = axisLetter.find_last_not_of(' ');
  if (first != std::string_view::npos && first == last &&
      kTiltAxes.find(axisLetter[first]) != std::string_view::npos) {
    return std::nullopt;
  }
  return "ANGLE LETTER \"" + std::string(axisLetter) + "\" must be one of Z, A, B, C, U, V, W";
}

}  // namespace korvex
