#include "gcode/gcode_writer.h"

#include <bit>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <string_view>

#include "gcode/format_number.h"
#include "project/file_helpers.h"
#include "shell/workspace.h"

namespace korvex {
namespace {

constexpr std::size_t kZoneWidth = 14;

void AppendLine(std::string& text, std::string_view line) {
  text += line;
  text += "\r\n";
}

// Blanks from the end of the line (its last line, for a growing text) up to the next print zone;
// a line that already stands at a zone boundary gets a whole zone of blanks.
void PadToNextZone(std::string& text, std::size_t lineStart) {
  const std::size_t column = text.size() - lineStart;
  text.append(kZoneWidth - column % kZoneWidth, ' ');
}

// A header line of print zones: the items, each followed by the blanks up to the next zone,
// then ")".
void AppendZonedLine(std::string& text, std::initializer_list<std::string_view> items) {
  const std::size_t lineStart = text.size();
  for (const std::string_view item : items) {
    text += item;
    PadToNextZone(text, lineStart);
  }
  AppendLine(text, ")");
}

// The project path as the "(Begin" comment can hold it: a "(" or ")" would nest or end the
// comment and a line break would split it, and a controller refuses such a program. They become
// "[", "]" and "?" one for one, so an ordinary path is written unchanged.
std::string CommentText(std::string_view text) {
  std::string result(text);
  for (char& c : result) {
    if (c == '(') {
      c = '[';
    } else if (c == ')') {
      c = ']';
    } else if (static_cast<unsigned char>(c) < 32 || c == 127) {
      c = '?';
    }
  }
  return result;
}

// value with the mask "#.000", exactly as FormatNumber writes it, without a string per value.
// A double below 2^53 in magnitude is m * 2^e with an integer m < 2^53 and e <= 0, so
// m * 1000 (< 2^63) shifted right by -e is the value in thousandths; the bits shifted out decide
// the rounding, an exact half going to the even neighbour. Larger values go through to_chars.
void AppendCoordinate(std::string& text, double value) {
  char digits[400];
  char* out = digits;
  if (value < 0) *out++ = '-';
  const auto bits = std::bit_cast<std::uint64_t>(value);
  const int biasedExponent = static_cast<int>((bits >> 52) & 0x7FF);
  const std::uint64_t fraction = bits & ((std::uint64_t{1} << 52) - 1);
  const std::uint64_t mantissa =
      biasedExponent == 0 ? fraction : (fraction | (std::uint64_t{1} << 52));
  const int exponent = (biasedExponent == 0 ? 1 : biasedExponent) - 1075;
  if (exponent > 0) {
    out = std::to_chars(out, digits + sizeof digits, std::fabs(value), std::chars_format::fixed, 3)
              .ptr;
    text.append(digits, out);
    return;
  }
  const std::uint64_t scaled = mantissa * 1000;
  const int shift = -exponent;
  std::uint64_t thousandths = 0;
  if (shift == 0) {
    thousandths = scaled;
  } else if (shift < 64) {
    thousandths = scaled >> shift;
    const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
    const std::uint64_t half = std::uint64_t{1} << (shift - 1);
    if (rest > half || (rest == half && (thousandths & 1) != 0)) ++thousandths;
  }  // else the value is below half a thousandth (scaled < 2^63 <= half) and rounds to 0
  out = std::to_chars(out, digits + sizeof digits, thousandths / 1000).ptr;
  const auto decimals = static_cast<unsigned>(thousandths % 1000);
  out[0] = '.';
  out[1] = static_cast<char>('0' + decimals / 100);
  out[2] = static_cast<char>('0' + decimals / 10 % 10);
  out[3] = static_cast<char>('0' + decimals % 10);
  text.append(digits, out + 4);
}

// "G0 X ..." / "G1 X ...": the point's X and Y words and the third word named by the letter.
void AppendPointLine(std::string& text, std::string_view move, std::string_view axisLetter,
                     const CutPoints& cut, int i) {
  text += move;
  text += " X ";
  AppendCoordinate(text, cut.x[i]);
  text += " Y ";
  AppendCoordinate(text, cut.y[i]);
  text += ' ';
  text += axisLetter;
  text += ' ';
  AppendCoordinate(text, cut.z[i]);
  text += "\r\n";
}

void AppendObject(std::string& text, int number, int segments, std::string_view axisLetter,
                  const CutPoints& cut) {
  AppendLine(text, "(Object)");
  AppendLine(text, "(" + FormatNumber(number, "000") + ")");
  AppendLine(text, "(" + FormatNumber(segments + 1, "000") + ")");
  AppendPointLine(text, "G0", axisLetter, cut, 0);
  AppendLine(text, "F1000");
  AppendLine(text, "S5000M03 (Spindle 5000rpm cw)");
  AppendLine(text, "G4 P2.0");
  for (int i = 1; i <= segments; ++i)
    AppendPointLine(text, "G1", axisLetter, cut, i);
  AppendLine(text, "M5");
}

// The first point of cut whose x, y or z is not finite, if any.
std::optional<int> FirstNonFinitePoint(const CutPoints& cut, int segments) {
  for (int i = 0; i <= segments; ++i) {
    if (!std::isfinite(cut.x[i]) || !std::isfinite(cut.y[i]) || !std::isfinite(cut.z[i])) {
      return i;
    }
  }
  return std::nullopt;
}

}  // namespace

std::optional<std::string> GcodeProgramProblem(const Workspace& workspace, double tubeDiameter) {
  const int segments = workspace.job.parameters.cutSegments;
  if (segments < 0 || segments > kMaxCutSegments) {
    return "CUT SEGMENTS " + std::to_string(segments) + " is outside 0.." +
           std::to_string(kMaxCutSegments);
  }
  if (!std::isfinite(tubeDiameter)) return std::string("the tube DIAMETER is not a finite number");
  const struct {
    const char* name;
    const CutPoints& cut;
  } cuts[] = {{"LEFT CUT", workspace.job.leftCut}, {"RIGHT CUT", workspace.job.rightCut}};
  for (const auto& [name, cut] : cuts) {
    if (const auto point = FirstNonFinitePoint(cut, segments)) {
      return std::string("the ") + name + " point " + std::to_string(*point) +
             " is not a finite number";
    }
  }
  return std::nullopt;
}

std::string FormatGcodeProgram(const Workspace& workspace, const std::string& axisLetter,
                               double tubeDiameter) {
  if (GcodeProgramProblem(workspace, tubeDiameter)) return std::string();
  const JobState& job = workspace.job;
  const int segments = job.parameters.cutSegments;

  std::string text;
  // Header and trailer take about 500 bytes, a point line at most about 50 plus the letter.
  text.reserve(1024 + workspace.projectPath.size() +
               2 * static_cast<std::size_t>(segments + 1) * (56 + axisLetter.size()));

  AppendZonedLine(text, {"(Version", " 4 "});
  AppendZonedLine(text, {"(Begin", CommentText(workspace.projectPath)});
  AppendZonedLine(text, {"(Units", "mm"});
  AppendZonedLine(text, {"(ToolOfset", " 0 "});
  AppendLine(text, "(TUBE DIAMETER)");
  AppendLine(text, "(" + FormatNumber(tubeDiameter, "000.0") + ")");
  AppendLine(text, "(Objects)");
  AppendLine(text, "(" + FormatNumber(workspace.cutObjectCount, "000") + ")");
  AppendLine(text, "G21 (Unit IN mm)");
  AppendLine(text, "G90 (Absolute distance MODE)");
  AppendLine(text, "G64 P0.1 (exact path mode)");
  AppendLine(text, "G17 ");
  AppendLine(text, "G40 (CANCEL diameter comp.) ");
  AppendLine(text, "G49 (CANCEL length comp.) ");
  AppendLine(text, "G10 L1 P2 R0.75");
  AppendLine(text, "T1M6 (Tool change TO T1) ");
  AppendLine(text, "F2000");

  AppendObject(text, 1, segments, axisLetter, job.leftCut);
  AppendObject(text, 2, segments, axisLetter, job.rightCut);

  AppendLine(text, "G0 X 0.000 Y 0.000 Z 0.000");
  AppendLine(text, "M2 (Program end)");
  AppendLine(text, "(Finish)");
  return text;
}

std::optional<std::string> WriteGcodeProgram(const std::string& path, const std::string& axisLetter,
                                             double tubeDiameter, const Workspace& workspace) {
  if (auto problem = GcodeProgramProblem(workspace, tubeDiameter)) return problem;
  return WriteFileAtomically(path, FormatGcodeProgram(workspace, axisLetter, tubeDiameter));
}

}  // namespace korvex
