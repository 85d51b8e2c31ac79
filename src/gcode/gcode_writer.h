#pragma once

#include <optional>
#include <string>

namespace korvex {

struct Workspace;

// The whole program text for the workspace's last accepted job, lines ending in CR LF.
std::string FormatGcodeProgram(const Workspace& workspace, const std::string& axisLetter,
                               double tubeDiameter);

// Writes the program to path through a temporary file beside it, so that a failure leaves an
// existing file untouched. Returns the reason when nothing was written.
std::optional<std::string> WriteGcodeProgram(const std::string& path,
                                             const std::string& axisLetter, double tubeDiameter,
                                             const Workspace& workspace);

}  // namespace korvex
