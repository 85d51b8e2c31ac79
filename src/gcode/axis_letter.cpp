#include "gcode/axis_letter.h"

namespace korvex {
namespace {

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

std::optional<std::string> AxisLetterProblem(std::string_view axisLetter) {
  const std::size_t first = axisLetter.find_first_not_of(' ');
  const std::size_t last = axisLetter.find_last_not_of(' ');
  if (first != std::string_view::npos && first == last && IsLetter(axisLetter[first])) {
    return std::nullopt;
  }
  return "ANGLE LETTER must be one letter such as A, B or Z, not \"" + std::string(axisLetter) +
         "\"";
}

}  // namespace korvex
