#include "gcode/axis_letter.h"

namespace korvex {
namespace {

// The text as a message can show it: control characters written as escapes, so that a line
// break cannot split the message or a terminal line.
std::string Shown(std::string_view text) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string shown;
  for (const char c : text) {
    const auto byte = static_cast<unsigned char>(c);
    if (c == '\n') {
      shown += "\\n";
    } else if (c == '\r') {
      shown += "\\r";
    } else if (c == '\t') {
      shown += "\\t";
    } else if (byte < 32 || byte == 127) {
      shown += std::string("\\x") + kHex[byte >> 4] + kHex[byte & 15];
    } else {
      shown += c;
    }
  }
  return shown;
}

}  // namespace

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
  return "ANGLE LETTER \"" + Shown(axisLetter) + "\" must be one of Z, A, B, C, U, V, W";
}

}  // namespace korvex
