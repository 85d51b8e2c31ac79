#pragma once

#include <optional>
#include <string>

namespace korvex {

struct ComputedJob;

// What the program's header and tilt words need besides the cut points.
struct ProgramHeader {
  std::string projectPath;  // named in the "(Begin" comment
  std::string axisLetter;   // the address letter of the torch tilt axis
  double tubeDiameter = 0;
  int objectCount = 0;  // objects the header announces
};

// The header of a program of all the job's cuts: its project, the job's ANGLE LETTER and main
// tube DIAMETER, the two ends and the holes as its objects.
ProgramHeader ProgramHeaderOf(const ComputedJob& job, std::string projectPath);

// Why the job cannot be written as a program (CUT SEGMENTS outside 0..1000, a point or the
// diameter not finite), or nothing when it can.
std::optional<std::string> GcodeProgramProblem(const ComputedJob& job, double tubeDiameter);

// The whole program text for the job, the left cut as object 1, the right as object 2 and the
// holes after them in their order, lines ending in CR LF. Empty when GcodeProgramProblem names
// a problem.
std::string FormatGcodeProgram(const ComputedJob& job, const ProgramHeader& header);

// Writes the program to path through a temporary file beside it, so that a failure leaves an
// existing file untouched. Returns the reason when nothing was written (also when
// GcodeProgramProblem names one: a program never holds nan or inf).
std::optional<std::string> WriteGcodeProgram(const std::string& path, const ComputedJob& job,
                                             const ProgramHeader& header);

}  // namespace korvex
