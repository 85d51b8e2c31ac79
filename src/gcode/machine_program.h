#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gcode/cuts_program.h"
#include "gcode/gcode_writer.h"
#include "gcode/machine_profile.h"

namespace korvex {

struct ComputedJob;

// The cuts a profile's program makes, in order: the left end, the right end, then the holes. The
// described program's cuts are the computed points; any other profile's are the torch paths its
// toolpath options plan (PlanEndToolpath, PlanHoleToolpath), none when they refuse the job.
std::vector<MachineCut> MachineCuts(const ComputedJob& job, const MachineProfile& profile);

// True when an end or a hole of the job tilts the torch (3D MODE): only then does a profile's
// program carry tilt words on its cut points.
bool JobTilts(const ComputedJob& job);

// Why the job cannot be written with the profile, or nothing when it can: GcodeProgramProblem,
// and for a profile other than the described one a degrees profile on a tube without a
// diameter, toolpath options that refuse an end (a kerf too wide for its curve) or the tilt
// (TiltProblem). The letter itself is checked by AxisLetterProblem.
std::optional<std::string> MachineProgramProblem(const ComputedJob& job,
                                                 const ProgramHeader& header,
                                                 const MachineProfile& profile);

// The program for the profile's machine: FormatGcodeProgram when the profile writes the
// described program, otherwise FormatCutsProgram of the job's MachineCuts. Empty when
// MachineProgramProblem names a problem.
std::string FormatMachineProgram(const ComputedJob& job, const ProgramHeader& header,
                                 const MachineProfile& profile);

}  // namespace korvex
