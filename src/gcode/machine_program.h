#pragma once

#include <optional>
#include <string>

#include "gcode/gcode_writer.h"
#include "gcode/machine_profile.h"

namespace korvex {

struct ComputedJob;

// Why the job cannot be written with the profile (as GcodeProgramProblem, or a tilt letter that
// is the profile's rotation axis), or nothing when it can. The letter itself is checked by
// AxisLetterProblem.
std::optional<std::string> MachineProgramProblem(const ComputedJob& job,
                                                 const ProgramHeader& header,
                                                 const MachineProfile& profile);

// The program for the profile's machine: FormatGcodeProgram when the profile writes the
// described program, otherwise the profile's axes, feeds and torch lines. Empty when
// MachineProgramProblem names a problem.
std::string FormatMachineProgram(const ComputedJob& job, const ProgramHeader& header,
                                 const MachineProfile& profile);

}  // namespace korvex
