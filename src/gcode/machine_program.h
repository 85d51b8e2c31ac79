#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "gcode/cuts_program.h"
#include "gcode/gcode_writer.h"
#include "gcode/machine_profile.h"
#include "toolpath/job_cuts.h"

namespace korvex {

// The cuts a profile's program makes, planned once, in order: the left end, the right end, then
// the holes. The described program's cuts are the computed points as they stand, any other
// profile's the torch paths its toolpath options plan. Why not, when the options refuse a cut
// (a kerf too wide for its curve).
std::variant<JobCuts, std::string> PlanMachineCuts(const ComputedJob& job,
                                                   const MachineProfile& profile);

// The points of planned cuts, as a program moves through them.
std::vector<MachineCut> MachineCutsOf(const JobCuts& cuts);

// True when an end or a hole of the job tilts the torch (3D MODE): only then does a profile's
// program carry tilt words on its cut points.
bool JobTilts(const ComputedJob& job);

// Why the job cannot be written with the profile whatever its cuts, or nothing when it can:
// GcodeProgramProblem, and for a profile other than the described one a degrees profile on a
// tube without a diameter or the tilt (TiltProblem). The letter itself is checked by
// AxisLetterProblem.
std::optional<std::string> MachineJobProblem(const ComputedJob& job, const ProgramHeader& header,
                                             const MachineProfile& profile);

// MachineJobProblem, or why the profile's options refuse a cut.
std::optional<std::string> MachineProgramProblem(const ComputedJob& job,
                                                 const ProgramHeader& header,
                                                 const MachineProfile& profile);

// The program for the profile's machine: FormatGcodeProgram when the profile writes the
// described program, otherwise FormatCutsProgram of its planned cuts. Empty when
// MachineProgramProblem names a problem.
std::string FormatMachineProgram(const ComputedJob& job, const ProgramHeader& header,
                                 const MachineProfile& profile);

// The same for cuts that PlanMachineCuts planned for the profile. Empty when MachineJobProblem
// names a problem.
std::string FormatMachineProgram(const ComputedJob& job, const JobCuts& cuts,
                                 const ProgramHeader& header, const MachineProfile& profile);

}  // namespace korvex
