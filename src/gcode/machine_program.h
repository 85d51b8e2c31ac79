#pragma once

#include <optional>
#include <string>
#include <vector>

#include "gcode/gcode_writer.h"
#include "gcode/machine_profile.h"

namespace korvex {

struct ComputedJob;

// One point of a torch path: x along the tube (mm), y the unrolled circumference (mm), the torch
// tilt (degrees).
struct PathPoint {
  double x = 0;
  double y = 0;
  double tilt = 0;
};

// One cut: pierced at the first point, then cut through the others in order.
using MachineCut = std::vector<PathPoint>;

// The cuts a profile's program makes, in order: the left end, then the right end. The described
// program's cuts are the computed points; any other profile's are the torch paths its toolpath
// options plan (PlanEndToolpath), none when they refuse the job.
std::vector<MachineCut> MachineCuts(const ComputedJob& job, const MachineProfile& profile);

// What the operator should know about the profile's torch paths, one line each naming its cut:
// a hole's leads shortened to stay inside it. None for the described program or a refused job.
std::vector<std::string> MachineProgramNotes(const ComputedJob& job, const MachineProfile& profile);

// True when an end of the job tilts the torch (3D MODE): only then does a profile's program
// address the tilt axis.
bool JobTilts(const ComputedJob& job);

// Why the job cannot be written with the profile, or nothing when it can: GcodeProgramProblem,
// and for a profile other than the described one a tilting job whose tilt letter is the
// rotation axis, X or Z (linear axes count in the controller's feed length, and plasma
// configurations drop Z words), a degrees profile on a tube without a diameter, or toolpath
// options that refuse an end (a kerf too wide for its curve). The letter itself is checked by
// AxisLetterProblem.
std::optional<std::string> MachineProgramProblem(const ComputedJob& job,
                                                 const ProgramHeader& header,
                                                 const MachineProfile& profile);

// The program for the profile's machine: FormatGcodeProgram when the profile writes the
// described program, otherwise FormatProfileProgram. Empty when MachineProgramProblem names a
// problem.
std::string FormatMachineProgram(const ComputedJob& job, const ProgramHeader& header,
                                 const MachineProfile& profile);

// The described program's lines with what the profile's keys change: its feeds, dwell, torch
// and cut lines, its axis form, and the tilt word only for a job that tilts. With the described
// profile's values it is the described program.
std::string FormatProfileProgram(const ComputedJob& job, const ProgramHeader& header,
                                 const MachineProfile& profile);

// The seconds a machine takes for the cuts with the profile: from X 0 Y 0 a rapid at the rapid
// feed to each cut's first point, its pierce delay, its feed moves at the cutting feed along the
// tube's surface, and the rapid home after the last cut. Nothing when the controller's material
// table sets the feed.
std::optional<double> EstimateCutTime(const std::vector<MachineCut>& cuts,
                                      const MachineProfile& profile);

// "m:ss", the seconds rounded to the nearest.
std::string FormatCutTime(double seconds);

}  // namespace korvex
