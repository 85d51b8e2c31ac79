#include "gcode/gcode_writer.h"

#include <cmath>
#include <string_view>

#include "base/file_helpers.h"
#include "base/format_number.h"
#include "domain/computed_job.h"
#include "gcode/program_lines.h"

namespace korvex {
namespace {

// "G0 X ..." / "G1 X ...": the point's X and Y words and the third word named by the letter.
void AppendPointLine(std::string& text, std::string_view move, std::string_view axisLetter,
                     const CutPoints& cut, int i) {
  text += move;
  text += " X ";
  AppendNumber(text, cut.x[i], "#.000");
  text += " Y ";
  AppendNumber(text, cut.y[i], "#.000");
  text += ' ';
  text += axisLetter;
  text += ' ';
  AppendNumber(text, cut.z[i], "#.000");
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

ProgramHeader ProgramHeaderOf(const ComputedJob& job, std::string projectPath) {
  return {std::move(projectPath), job.parameters.axisLetter, job.parameters.mainDiameter,
          2 + static_cast<int>(job.holes.size())};
}

std::optional<std::string> GcodeProgramProblem(const ComputedJob& job, double tubeDiameter) {
  const int segments = job.parameters.cutSegments;
  if (segments < 0 || segments > kMaxCutSegments) {
    return "CUT SEGMENTS " + std::to_string(segments) + " is outside 0.." +
           std::to_string(kMaxCutSegments);
  }
  if (!std::isfinite(tubeDiameter)) return std::string("the tube DIAMETER is not a finite number");
  const struct {
    const char* name;
    const CutPoints& cut;
  } cuts[] = {{"LEFT CUT", job.left.path}, {"RIGHT CUT", job.right.path}};
  for (const auto& [name, cut] : cuts) {
    if (const auto point = FirstNonFinitePoint(cut, segments)) {
      return std::string("the ") + name + " point " + std::to_string(*point) +
             " is not a finite number";
    }
  }
  for (std::size_t k = 0; k < job.holes.size(); ++k) {
    if (const auto point = FirstNonFinitePoint(job.holes[k].path, segments)) {
      return "the HOLE " + std::to_string(k + 1) + " point " + std::to_string(*point) +
             " is not a finite number";
    }
  }
  return std::nullopt;
}

std::string FormatGcodeProgram(const ComputedJob& job, const ProgramHeader& header) {
  if (GcodeProgramProblem(job, header.tubeDiameter)) return std::string();
  const int segments = job.parameters.cutSegments;
  const std::string& axisLetter = header.axisLetter;

  std::string text;
  // Header and trailer take about 500 bytes, a point line at most about 50 plus the letter.
  text.reserve(1024 + header.projectPath.size() +
               (2 + job.holes.size()) *
                   (static_cast<std::size_t>(segments + 1) * (56 + axisLetter.size()) + 100));

  AppendHeaderComments(text, header);
  AppendSetupLines(text);
  AppendLine(text, "F2000");

  AppendObject(text, 1, segments, axisLetter, job.left.path);
  AppendObject(text, 2, segments, axisLetter, job.right.path);
  int number = 2;
  for (const HoleCut& hole : job.holes)
    AppendObject(text, ++number, segments, axisLetter, hole.path);

  AppendLine(text, "G0 X 0.000 Y 0.000 Z 0.000");
  AppendLine(text, "M2 (Program end)");
  AppendLine(text, "(Finish)");
  return text;
}

std::optional<std::string> WriteGcodeProgram(const std::string& path, const ComputedJob& job,
                                             const ProgramHeader& header) {
  if (auto problem = GcodeProgramProblem(job, header.tubeDiameter)) return problem;
  return WriteFileAtomically(path, FormatGcodeProgram(job, header));
}

}  // namespace korvex
