#pragma once

#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "gcode/gcode_writer.h"
#include "gcode/machine_profile.h"
#include "toolpath/job_cuts.h"

namespace korvex {

// The cuts a profile's program makes, planned once: the described program's cuts are the
// computed points as they stand, any other profile's the torch paths its toolpath options plan.
// Why not, when the options refuse a cut (a kerf too wide for its curve).
std::variant<JobCuts, std::string> PlanMachineCuts(const ComputedJob& job,
                                                   const MachineProfile& profile);

// True when an end of the job tilts the torch (3D MODE): only then does a profile's program
// address the tilt axis.
bool JobTilts(const ComputedJob& job);

// Why the job cannot be written with the profile whatever its cuts, or nothing when it can:
// GcodeProgramProblem, and for a profile other than the described one a tilting job whose tilt
// letter is the rotation axis, X or Z (linear axes count in the controller's feed length, and
// plasma configurations drop Z words), or a degrees profile on a tube without a diameter. The
// letter itself is checked by AxisLetterProblem.
std::optional<std::string> MachineJobProblem(const ComputedJob& job, const ProgramHeader& header,
                                             const MachineProfile& profile);

// MachineJobProblem, or why the profile's options refuse a cut.
std::optional<std::string> MachineProgramProblem(const ComputedJob& job,
                                                 const ProgramHeader& header,
                                                 const MachineProfile& profile);

// The program for the profile's machine: FormatGcodeProgram when the profile writes the
// described program, otherwise FormatProfileProgram of its planned cuts. Empty when
// MachineProgramProblem names a problem.
std::string FormatMachineProgram(const ComputedJob& job, const ProgramHeader& header,
                                 const MachineProfile& profile);

// The same for cuts that PlanMachineCuts planned for the profile. Empty when MachineJobProblem
// names a problem.
std::string FormatMachineProgram(const ComputedJob& job, const JobCuts& cuts,
                                 const ProgramHeader& header, const MachineProfile& profile);

// The described program's lines with what the profile's keys change: its feeds, dwell, torch
// and cut lines, its axis form, and the tilt word only for a job that tilts. With the described
// profile's values it is the described program.
std::string FormatProfileProgram(const ComputedJob& job, const JobCuts& cuts,
                                 const ProgramHeader& header, const MachineProfile& profile);

// The seconds a machine takes for the cuts with the profile: from X 0 Y 0 a rapid at the rapid
// feed to each cut's first point, its pierce delay, its feed moves at the cutting feed along the
// tube's surface, and the rapid home after the last cut. Nothing when the controller's material
// table sets the feed.
std::optional<double> EstimateCutTime(const JobCuts& cuts, const MachineProfile& profile);

// "m:ss", the seconds rounded to the nearest.
std::string FormatCutTime(double seconds);

}  // namespace korvex
