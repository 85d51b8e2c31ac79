#pragma once

#include <optional>
#include <string>

namespace korvex {

struct Workspace;

// Why the workspace's last job cannot be written as a program (CUT SEGMENTS outside 0..1000, a
// point or the diameter not finite), or nothing when it can.
std::optional<std::string> GcodeProgramProblem(const Workspace& workspace, double tubeDiameter);

// The whole program text for the workspace's last accepted job, lines ending in CR LF. Empty
// when GcodeProgramProblem names a problem.
std::string FormatGcodeProgram(const Workspace& workspace, const std::string& axisLetter,
                               double tubeDiameter);

// Writes the program to path through a temporary file beside it, so that a failure leaves an
// existing file untouched. Returns the reason when nothing was written (also when
// GcodeProgramProblem names one: a program never holds nan or inf).
std::optional<std::string> WriteGcodeProgram(const std::string& path, const std::string& axisLetter,
                                             double tubeDiameter, const Workspace& workspace);

}  // namespace korvex
